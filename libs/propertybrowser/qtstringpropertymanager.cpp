#include "qtstringpropertymanager.h"

QtStringPropertyManager::QtStringPropertyManager(QObject *parent)
    : QtAbstractPropertyManager(parent)
{
}

QtStringPropertyManager::~QtStringPropertyManager()
{
    clear();
}

QString QtStringPropertyManager::value(const QtProperty *property) const
{
    return m_values.value(property).value;
}

QRegExp QtStringPropertyManager::regExp(const QtProperty *property) const
{
    return m_values.value(property).regExp;
}

void QtStringPropertyManager::setValue(QtProperty *property, const QString &val)
{
    auto it = m_values.find(property);
    if (it == m_values.end() || it->value == val)
        return;
    const QRegExp &pattern = it->regExp;
    if (!pattern.isEmpty() && pattern.isValid() && !pattern.exactMatch(val))
        return;
    it->value = val;
    emit propertyChanged(property);
    emit valueChanged(property, val);
}

void QtStringPropertyManager::setRegExp(QtProperty *property, const QRegExp &regExp)
{
    auto it = m_values.find(property);
    if (it == m_values.end() || it->regExp == regExp)
        return;
    it->regExp = regExp;
    emit regExpChanged(property, regExp);
}

QString QtStringPropertyManager::valueText(const QtProperty *property) const
{
    return value(property);
}

void QtStringPropertyManager::initializeProperty(QtProperty *property)
{
    m_values.insert(property, Data());
}

void QtStringPropertyManager::uninitializeProperty(QtProperty *property)
{
    m_values.remove(property);
}
