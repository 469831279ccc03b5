#pragma once

// Editing limits of the distance-type parameters in either unit. The device
// keeps millimetres; the four window limits come from the sensor variant.

#include <QString>

#include <vector>

namespace DirazSensorPlugin {
namespace Core {

struct RangeLimits
{
    int maxRange = 100000;
    int objMaxRange = 100001;
    int minRange = 50;
    int objMinRange = 50;
};

struct DistanceLimit
{
    QString id;
    double minimum;
    double maximum;
};

// Every distance parameter with its limits in inches or millimetres. The
// analog range limits are only part of it for variants with an analog
// output. `jumpHeightsFromZero` opens the millimetre jump-height limits at 0
// (used while values are being converted, so none is clamped on the way).
std::vector<DistanceLimit> distanceLimits(const RangeLimits &limits, bool inches, bool analog,
                                          bool jumpHeightsFromZero = false);

// The ids of those parameters (analog ones excluded).
QStringList distanceParameterIds();

} // namespace Core
} // namespace DirazSensorPlugin
