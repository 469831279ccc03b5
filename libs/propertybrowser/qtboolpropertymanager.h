#ifndef QTBOOLPROPERTYMANAGER_H
#define QTBOOLPROPERTYMANAGER_H

#include "qtabstractpropertymanager.h"

#include <QHash>

// Truth-value properties. The value text is "True"/"False" until a caller
// gives its own two texts with the four-argument setValue; from then on the
// given texts are shown, even when empty.
class QtBoolPropertyManager : public QtAbstractPropertyManager
{
    Q_OBJECT
public:
    explicit QtBoolPropertyManager(QObject *parent = nullptr);
    ~QtBoolPropertyManager() override;

    bool value(const QtProperty *property) const;

public Q_SLOTS:
    void setValue(QtProperty *property, bool val);
    void setValue(QtProperty *property, bool val, const QString &trueText,
                  const QString &falseText);

Q_SIGNALS:
    void valueChanged(QtProperty *property, bool val);

protected:
    QString valueText(const QtProperty *property) const override;
    QIcon valueIcon(const QtProperty *property) const override;
    void initializeProperty(QtProperty *property) override;
    void uninitializeProperty(QtProperty *property) override;

private:
    struct Data {
        bool value = false;
        bool ownTexts = false;
        QString trueText;
        QString falseText;
    };

    QHash<const QtProperty *, Data> m_values;
    mutable QIcon m_checkedIcon;
    mutable QIcon m_uncheckedIcon;
};

#endif // QTBOOLPROPERTYMANAGER_H
