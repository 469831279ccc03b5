#include "live/unitlimits.h"

#include "live/unitconversion.h"

#include <QStringList>

namespace DirazSensorPlugin {
namespace Core {

std::vector<DistanceLimit> distanceLimits(const RangeLimits &l, bool inches, bool analog, bool jumpHeightsFromZero)
{
    const double k = inches ? MillimetresToInches : 1.0;
    const double maxR = l.maxRange * k;
    std::vector<DistanceLimit> out = {
        {QStringLiteral("DetectionRangeNear"), l.objMinRange * k, maxR},
        {QStringLiteral("DetectionRangeFar"), l.objMinRange * k, l.objMaxRange * k},
    };
    const double windowMin = inches ? 0.039 : 0.0;
    for (const char *id : {"LowerThresholdA1", "UpperThresholdA1", "LowerThresholdA2", "UpperThresholdA2"})
        out.push_back({QLatin1String(id), windowMin, maxR});
    for (const char *id : {"SwitchingThresholdA1", "SwitchingThresholdA2"})
        out.push_back({QLatin1String(id), l.minRange * k, maxR});
    for (const char *id : {"HysteresisA1", "HysteresisA2"})
        out.push_back({QLatin1String(id), inches ? 0.19 : 5.0, inches ? 40.0 : 1000.0});
    out.push_back({QStringLiteral("SimulationMeasurementValue"), 0.0, maxR});
    const double jumpMin = inches ? 0.393 : (jumpHeightsFromZero ? 0.0 : 10.0);
    for (const char *id : {"SSC1JumpHeightMin", "SSC2JumpHeightMin"})
        out.push_back({QLatin1String(id), jumpMin, inches ? 39.37 : 1000.0});
    // The inch maximum of the jump-height maximum is 3.937 as the device's
    // own tool limits it, not 3937.
    for (const char *id : {"SSC1JumpHeightMax", "SSC2JumpHeightMax"})
        out.push_back({QLatin1String(id), jumpMin, inches ? 3.937 : 100000.0});
    if (analog)
        for (const char *id : {"analog0V", "analog10V"})
            out.push_back({QLatin1String(id), l.minRange * k, maxR});
    return out;
}

QStringList distanceParameterIds()
{
    QStringList ids;
    for (const DistanceLimit &limit : distanceLimits(RangeLimits(), false, false))
        ids.append(limit.id);
    return ids;
}

} // namespace Core
} // namespace DirazSensorPlugin
