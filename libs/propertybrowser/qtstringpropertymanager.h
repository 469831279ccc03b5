#ifndef QTSTRINGPROPERTYMANAGER_H
#define QTSTRINGPROPERTYMANAGER_H

#include "qtabstractpropertymanager.h"

#include <QHash>
#include <QRegExp>

// Text properties; a non-empty regular expression restricts the texts accepted.
class QtStringPropertyManager : public QtAbstractPropertyManager
{
    Q_OBJECT
public:
    explicit QtStringPropertyManager(QObject *parent = nullptr);
    ~QtStringPropertyManager() override;

    QString value(const QtProperty *property) const;
    QRegExp regExp(const QtProperty *property) const;

public Q_SLOTS:
    void setValue(QtProperty *property, const QString &val);
    void setRegExp(QtProperty *property, const QRegExp &regExp);

Q_SIGNALS:
    void valueChanged(QtProperty *property, const QString &val);
    void regExpChanged(QtProperty *property, const QRegExp &regExp);

protected:
    QString valueText(const QtProperty *property) const override;
    void initializeProperty(QtProperty *property) override;
    void uninitializeProperty(QtProperty *property) override;

private:
    struct Data {
        QString value;
        QRegExp regExp;
    };

    QHash<const QtProperty *, Data> m_values;
};

#endif // QTSTRINGPROPERTYMANAGER_H
