#include "simulator/objectmotion.h"

#include <utility>

namespace IoLinkSim {

ObjectMotion::ObjectMotion() : m_script(demoScript()) {}

std::vector<ObjectMotion::Waypoint> ObjectMotion::demoScript()
{
    // The object also comes closer than the default near limit (200 mm) and
    // goes beyond the default far limit (6000 mm) for a while, so "too near"
    // and "too far" show up now and then.
    return {{0, 400},      {7000, 2600},  {9000, 2600},  {16000, 300},  {17000, 300},
            {17001, -1},   {18500, 400},  {20000, 400},  {21500, 120},  {23500, 120},
            {25000, 400},  {29000, 5000}, {30500, 6800}, {32500, 6800}, {36000, 2000},
            {40000, 400}};
}

void ObjectMotion::setScript(std::vector<Waypoint> script)
{
    m_script = std::move(script);
}

void ObjectMotion::setFixed(double distance)
{
    m_script = {{0, distance}};
}

void ObjectMotion::setAbsent()
{
    m_script = {{0, -1}};
}

bool ObjectMotion::distanceAt(std::int64_t timeMs, double *distance) const
{
    if (m_script.empty())
        return false;
    const std::int64_t period = m_script.back().timeMs;
    std::int64_t t = timeMs;
    if (period > 0) {
        t %= period;
        if (t < 0)
            t += period;
    }
    std::size_t i = 0;
    while (i + 1 < m_script.size() && m_script[i + 1].timeMs <= t)
        ++i;
    const Waypoint &a = m_script[i];
    if (a.distance < 0)
        return false;
    double d = a.distance;
    if (i + 1 < m_script.size()) {
        const Waypoint &b = m_script[i + 1];
        if (b.distance >= 0 && b.timeMs > a.timeMs)
            d = a.distance + (b.distance - a.distance) * double(t - a.timeMs) / double(b.timeMs - a.timeMs);
    }
    *distance = d;
    return true;
}

double ObjectMotion::speedAt(std::int64_t timeMs) const
{
    constexpr std::int64_t span = 100;
    double now = 0, before = 0;
    if (!distanceAt(timeMs, &now) || !distanceAt(timeMs - span, &before))
        return 0;
    return (now - before) * 1000.0 / double(span);
}

} // namespace IoLinkSim
