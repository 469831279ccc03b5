#include "qtenumpropertymanager.h"

QtEnumPropertyManager::QtEnumPropertyManager(QObject *parent)
    : QtAbstractPropertyManager(parent)
{
}

QtEnumPropertyManager::~QtEnumPropertyManager()
{
    clear();
}

int QtEnumPropertyManager::value(const QtProperty *property) const
{
    auto it = m_values.constFind(property);
    return it == m_values.cend() ? -1 : it->value;
}

QStringList QtEnumPropertyManager::enumNames(const QtProperty *property) const
{
    return m_values.value(property).names;
}

QMap<int, QIcon> QtEnumPropertyManager::enumIcons(const QtProperty *property) const
{
    return m_values.value(property).icons;
}

void QtEnumPropertyManager::setValue(QtProperty *property, int val)
{
    auto it = m_values.find(property);
    if (it == m_values.end() || val < 0 || val >= it->names.size() || it->value == val)
        return;
    it->value = val;
    emit propertyChanged(property);
    emit valueChanged(property, val);
}

void QtEnumPropertyManager::setEnumNames(QtProperty *property, const QStringList &names)
{
    auto it = m_values.find(property);
    if (it == m_values.end() || it->names == names)
        return;
    const int oldValue = it->value;
    const int newValue = names.isEmpty() ? -1 : 0;
    it->names = names;
    it->value = newValue;
    emit enumNamesChanged(property, names);
    emit propertyChanged(property);
    if (newValue != oldValue)
        emit valueChanged(property, newValue);
}

void QtEnumPropertyManager::setEnumIcons(QtProperty *property, const QMap<int, QIcon> &icons)
{
    auto it = m_values.find(property);
    if (it == m_values.end())
        return;
    it->icons = icons;
    emit enumIconsChanged(property, icons);
    emit propertyChanged(property);
}

QString QtEnumPropertyManager::valueText(const QtProperty *property) const
{
    auto it = m_values.constFind(property);
    if (it == m_values.cend())
        return QString();
    return it->names.value(it->value);
}

QIcon QtEnumPropertyManager::valueIcon(const QtProperty *property) const
{
    auto it = m_values.constFind(property);
    if (it == m_values.cend())
        return QIcon();
    return it->icons.value(it->value);
}

void QtEnumPropertyManager::initializeProperty(QtProperty *property)
{
    m_values.insert(property, Data());
}

void QtEnumPropertyManager::uninitializeProperty(QtProperty *property)
{
    m_values.remove(property);
}
