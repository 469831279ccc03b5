#include <utils/thresholdmultimanager.h>
#include <utils/thresholdwindowwidgetgeneric.h>

#include <algorithm>

namespace Utils {

ThresholdMultiManager::ThresholdMultiManager(int outputs, QObject *parent)
    : QObject(parent), m_outputs(std::max(1, outputs))
{
}

ThresholdMultiManager::Values *ThresholdMultiManager::values(int output, int plot)
{
    if (output < 1 || output > m_outputs)
        return nullptr;
    return &m_values[qMakePair(output, plot)];
}

void ThresholdMultiManager::setLow(int output, int plot, double value)
{
    if (Values *v = values(output, plot)) {
        v->low = value;
        emit valuesChanged(output, plot);
    }
}

void ThresholdMultiManager::setMiddle(int output, int plot, double value)
{
    if (Values *v = values(output, plot)) {
        v->middle = value;
        emit valuesChanged(output, plot);
    }
}

void ThresholdMultiManager::setHigh(int output, int plot, double value)
{
    if (Values *v = values(output, plot)) {
        v->high = value;
        emit valuesChanged(output, plot);
    }
}

double ThresholdMultiManager::low(int output, int plot) const
{
    return m_values.value(qMakePair(output, plot)).low;
}

double ThresholdMultiManager::middle(int output, int plot) const
{
    return m_values.value(qMakePair(output, plot)).middle;
}

double ThresholdMultiManager::high(int output, int plot) const
{
    return m_values.value(qMakePair(output, plot)).high;
}

bool ThresholdMultiManager::hasValues(int output, int plot) const
{
    return m_values.contains(qMakePair(output, plot));
}

bool ThresholdMultiManager::applyTo(ThresholdWindowWidgetGeneric *widget, int output,
                                    int plot) const
{
    if (!widget || !hasValues(output, plot))
        return false;
    const Values v = m_values.value(qMakePair(output, plot));
    widget->setLowerMark(v.low);
    widget->setMiddleMark(v.middle);
    widget->setUpperMark(v.high);
    return true;
}

} // namespace Utils
