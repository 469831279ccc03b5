#pragma once

// Millimetre and inch conversions of distances. The device always works in
// millimetres; inches are only for display.

namespace DirazSensorPlugin {
namespace Core {

constexpr double MillimetresToInches = 0.03937007874015748; // 1 / 25.4
constexpr double InchesToMillimetres = 25.4;

// floor(x + 0.5): halves go up, also for negative values.
double roundHalfUp(double value);
// Not rounded.
double millimetresToInches(double millimetres);
// x 25.4, then rounded half up.
double inchesToMillimetres(double inches);
// One of the two above.
double convertDistance(bool toMillimetres, double value);
// "MesurementUnit" 1 shows inches; 0, 2 and 3 millimetres.
bool isInchUnit(int measurementUnit);

} // namespace Core
} // namespace DirazSensorPlugin
