#ifndef QTENUMPROPERTYMANAGER_H
#define QTENUMPROPERTYMANAGER_H

#include "qtabstractpropertymanager.h"

#include <QHash>
#include <QMap>
#include <QStringList>

// Enumeration properties: the value is a position in the list of names,
// -1 while the list is empty. New names select the first entry again.
class QtEnumPropertyManager : public QtAbstractPropertyManager
{
    Q_OBJECT
public:
    explicit QtEnumPropertyManager(QObject *parent = nullptr);
    ~QtEnumPropertyManager() override;

    int value(const QtProperty *property) const;
    QStringList enumNames(const QtProperty *property) const;
    QMap<int, QIcon> enumIcons(const QtProperty *property) const;

public Q_SLOTS:
    void setValue(QtProperty *property, int val);
    void setEnumNames(QtProperty *property, const QStringList &names);
    void setEnumIcons(QtProperty *property, const QMap<int, QIcon> &icons);

Q_SIGNALS:
    void valueChanged(QtProperty *property, int val);
    void enumNamesChanged(QtProperty *property, const QStringList &names);
    void enumIconsChanged(QtProperty *property, const QMap<int, QIcon> &icons);

protected:
    QString valueText(const QtProperty *property) const override;
    QIcon valueIcon(const QtProperty *property) const override;
    void initializeProperty(QtProperty *property) override;
    void uninitializeProperty(QtProperty *property) override;

private:
    struct Data {
        int value = -1;
        QStringList names;
        QMap<int, QIcon> icons;
    };

    QHash<const QtProperty *, Data> m_values;
};

#endif // QTENUMPROPERTYMANAGER_H
