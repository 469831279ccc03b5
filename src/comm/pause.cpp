#include "comm/pause.h"

#include <QThread>

#include <atomic>
#include <cmath>

namespace DirazSensorPlugin {
namespace Core {

namespace {
std::atomic<double> g_scale{1.0};
std::atomic<long long> g_pausedMs{0};
} // namespace

void setPauseScale(double scale)
{
    g_scale.store(scale > 0.0 ? scale : 0.0);
}

double pauseScale()
{
    return g_scale.load();
}

int scaledMs(int ms)
{
    if (ms <= 0)
        return 0;
    return int(std::lround(ms * g_scale.load()));
}

long long pausedMsTotal()
{
    return g_pausedMs.load();
}

void pauseMs(int ms)
{
    const int scaled = scaledMs(ms);
    if (scaled > 0) {
        QThread::msleep(static_cast<unsigned long>(scaled));
        g_pausedMs += scaled;
    }
}

} // namespace Core
} // namespace DirazSensorPlugin
