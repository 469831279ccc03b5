#include "qtdoublepropertymanager.h"

#include <QLocale>
#include <QtGlobal>

namespace {
// A spin box cannot show more.
constexpr int kMaxDecimals = 13;
}

QtDoublePropertyManager::QtDoublePropertyManager(QObject *parent)
    : QtAbstractPropertyManager(parent)
{
}

QtDoublePropertyManager::~QtDoublePropertyManager()
{
    clear();
}

double QtDoublePropertyManager::value(const QtProperty *property) const
{
    return m_values.value(property).value;
}

double QtDoublePropertyManager::minimum(const QtProperty *property) const
{
    return m_values.value(property).minimum;
}

double QtDoublePropertyManager::maximum(const QtProperty *property) const
{
    return m_values.value(property).maximum;
}

double QtDoublePropertyManager::singleStep(const QtProperty *property) const
{
    return m_values.value(property).singleStep;
}

int QtDoublePropertyManager::decimals(const QtProperty *property) const
{
    return m_values.value(property).decimals;
}

void QtDoublePropertyManager::setValue(QtProperty *property, double val)
{
    auto it = m_values.find(property);
    if (it == m_values.end() || qIsNaN(val))
        return;
    val = qBound(it->minimum, val, it->maximum);
    if (it->value == val)
        return;
    it->value = val;
    emit propertyChanged(property);
    emit valueChanged(property, val);
}

void QtDoublePropertyManager::setMinimum(QtProperty *property, double minVal)
{
    auto it = m_values.constFind(property);
    if (it == m_values.cend())
        return;
    applyRange(property, minVal, qMax(minVal, it->maximum));
}

void QtDoublePropertyManager::setMaximum(QtProperty *property, double maxVal)
{
    auto it = m_values.constFind(property);
    if (it == m_values.cend())
        return;
    applyRange(property, qMin(maxVal, it->minimum), maxVal);
}

void QtDoublePropertyManager::setRange(QtProperty *property, double minVal, double maxVal)
{
    if (maxVal < minVal)
        qSwap(minVal, maxVal);
    applyRange(property, minVal, maxVal);
}

void QtDoublePropertyManager::applyRange(QtProperty *property, double minVal, double maxVal)
{
    auto it = m_values.find(property);
    if (it == m_values.end() || qIsNaN(minVal) || qIsNaN(maxVal)
        || (it->minimum == minVal && it->maximum == maxVal))
        return;
    it->minimum = minVal;
    it->maximum = maxVal;
    const double oldValue = it->value;
    it->value = qBound(minVal, oldValue, maxVal);
    const double newValue = it->value;
    emit rangeChanged(property, minVal, maxVal);
    if (newValue != oldValue) {
        emit propertyChanged(property);
        emit valueChanged(property, newValue);
    }
}

void QtDoublePropertyManager::setSingleStep(QtProperty *property, double step)
{
    auto it = m_values.find(property);
    if (it == m_values.end())
        return;
    step = qMax(step, 0.0);
    if (it->singleStep == step)
        return;
    it->singleStep = step;
    emit singleStepChanged(property, step);
}

void QtDoublePropertyManager::setDecimals(QtProperty *property, int prec)
{
    auto it = m_values.find(property);
    if (it == m_values.end())
        return;
    prec = qBound(0, prec, kMaxDecimals);
    if (it->decimals == prec)
        return;
    it->decimals = prec;
    emit decimalsChanged(property, prec);
    emit propertyChanged(property);
}

QString QtDoublePropertyManager::valueText(const QtProperty *property) const
{
    auto it = m_values.constFind(property);
    if (it == m_values.cend())
        return QString();
    return QLocale().toString(it->value, 'f', it->decimals);
}

void QtDoublePropertyManager::initializeProperty(QtProperty *property)
{
    m_values.insert(property, Data());
}

void QtDoublePropertyManager::uninitializeProperty(QtProperty *property)
{
    m_values.remove(property);
}
