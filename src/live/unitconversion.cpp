#include "live/unitconversion.h"

#include <cmath>

namespace DirazSensorPlugin {
namespace Core {

double roundHalfUp(double value)
{
    return std::floor(value + 0.5);
}

double millimetresToInches(double millimetres)
{
    return millimetres * MillimetresToInches;
}

double inchesToMillimetres(double inches)
{
    return roundHalfUp(inches * InchesToMillimetres);
}

double convertDistance(bool toMillimetres, double value)
{
    return toMillimetres ? inchesToMillimetres(value) : millimetresToInches(value);
}

bool isInchUnit(int measurementUnit)
{
    return measurementUnit == 1;
}

} // namespace Core
} // namespace DirazSensorPlugin
