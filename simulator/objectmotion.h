#pragma once

#include <cstdint>
#include <vector>

namespace IoLinkSim {

// Where the object in front of the sensor is at a given time: a looping
// script of waypoints, distances in millimetres, linear in between. A
// negative distance means no object from that waypoint to the next.
class ObjectMotion
{
public:
    struct Waypoint
    {
        std::int64_t timeMs;
        double distance;
    };

    ObjectMotion();

    // Slow sweeps across the range with a short absence, to look alive;
    // now and then nearer and farther than the default detection range.
    static std::vector<Waypoint> demoScript();

    void setScript(std::vector<Waypoint> script);
    void setFixed(double distance);
    void setAbsent();

    // False when no object is there.
    bool distanceAt(std::int64_t timeMs, double *distance) const;
    // Millimetres per second, approaching negative; 0 without an object.
    double speedAt(std::int64_t timeMs) const;

private:
    std::vector<Waypoint> m_script;
};

} // namespace IoLinkSim
