#include "qtintpropertymanager.h"

#include <QtGlobal>

QtIntPropertyManager::QtIntPropertyManager(QObject *parent)
    : QtAbstractPropertyManager(parent)
{
}

QtIntPropertyManager::~QtIntPropertyManager()
{
    clear();
}

int QtIntPropertyManager::value(const QtProperty *property) const
{
    return m_values.value(property).value;
}

int QtIntPropertyManager::minimum(const QtProperty *property) const
{
    return m_values.value(property).minimum;
}

int QtIntPropertyManager::maximum(const QtProperty *property) const
{
    return m_values.value(property).maximum;
}

int QtIntPropertyManager::singleStep(const QtProperty *property) const
{
    return m_values.value(property).singleStep;
}

void QtIntPropertyManager::setValue(QtProperty *property, int val)
{
    auto it = m_values.find(property);
    if (it == m_values.end())
        return;
    val = qBound(it->minimum, val, it->maximum);
    if (it->value == val)
        return;
    it->value = val;
    emit propertyChanged(property);
    emit valueChanged(property, val);
}

void QtIntPropertyManager::setMinimum(QtProperty *property, int minVal)
{
    auto it = m_values.constFind(property);
    if (it == m_values.cend())
        return;
    applyRange(property, minVal, qMax(minVal, it->maximum));
}

void QtIntPropertyManager::setMaximum(QtProperty *property, int maxVal)
{
    auto it = m_values.constFind(property);
    if (it == m_values.cend())
        return;
    applyRange(property, qMin(maxVal, it->minimum), maxVal);
}

void QtIntPropertyManager::setRange(QtProperty *property, int minVal, int maxVal)
{
    if (maxVal < minVal)
        qSwap(minVal, maxVal);
    applyRange(property, minVal, maxVal);
}

void QtIntPropertyManager::applyRange(QtProperty *property, int minVal, int maxVal)
{
    auto it = m_values.find(property);
    if (it == m_values.end() || (it->minimum == minVal && it->maximum == maxVal))
        return;
    it->minimum = minVal;
    it->maximum = maxVal;
    const int oldValue = it->value;
    it->value = qBound(minVal, oldValue, maxVal);
    const int newValue = it->value;
    emit rangeChanged(property, minVal, maxVal);
    if (newValue != oldValue) {
        emit propertyChanged(property);
        emit valueChanged(property, newValue);
    }
}

void QtIntPropertyManager::setSingleStep(QtProperty *property, int step)
{
    auto it = m_values.find(property);
    if (it == m_values.end())
        return;
    step = qMax(step, 0);
    if (it->singleStep == step)
        return;
    it->singleStep = step;
    emit singleStepChanged(property, step);
}

QString QtIntPropertyManager::valueText(const QtProperty *property) const
{
    auto it = m_values.constFind(property);
    return it == m_values.cend() ? QString() : QString::number(it->value);
}

void QtIntPropertyManager::initializeProperty(QtProperty *property)
{
    m_values.insert(property, Data());
}

void QtIntPropertyManager::uninitializeProperty(QtProperty *property)
{
    m_values.remove(property);
}
