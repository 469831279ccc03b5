#include <utils/buttonmanager.h>

namespace Utils {

ButtonManager::ButtonManager(QObject *parent)
    : QtAbstractPropertyManager(parent)
{
}

ButtonManager::~ButtonManager()
{
    clear();
}

QString ButtonManager::value(const QtProperty *property) const
{
    return m_values.value(property);
}

void ButtonManager::setValue(QtProperty *property, const QString &value)
{
    const auto it = m_values.find(property);
    if (it == m_values.end() || it.value() == value)
        return;
    it.value() = value;
    emit propertyChanged(property);
    emit valueChanged(property, value);
}

void ButtonManager::click(QtProperty *property)
{
    if (m_values.contains(property) && property->isEnabled())
        emit buttonClicked(property);
}

QString ButtonManager::valueText(const QtProperty *property) const
{
    return m_values.value(property);
}

void ButtonManager::initializeProperty(QtProperty *property)
{
    m_values.insert(property, QString());
}

void ButtonManager::uninitializeProperty(QtProperty *property)
{
    m_values.remove(property);
}

} // namespace Utils
