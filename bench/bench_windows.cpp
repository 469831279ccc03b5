// Several sensors at once: 1, 2, 4 and 8 sensor windows, each polling its own
// iolink-sim through its own serial channel. For each count it prints the
// lowest window's poll rate against the single window's rate, the event
// loop's 99th-percentile lateness while they poll, and the extra memory each
// window costs.

#include "benchsupport.h"

#include <QApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <memory>
#include <vector>

using namespace K4KBench;
using ExtensionSystem::CommunicationInterface;

namespace {

constexpr int PollSeconds = 8;

struct Sensor
{
    std::atomic<int> frames{0};
    K4KTest::SimulatorOnPort simulator;
    std::unique_ptr<PollingWindow> window;
};

bool startSensor(Sensor &sensor, const ExtensionSystem::SensorBasic *model)
{
    if (!startSimulator(sensor.simulator, "bench_windows"))
        return false;
    CommunicationInterface *channel = sensor.simulator.channel.get();
    // Counted on the channel's thread, as the frames finish there.
    QObject::connect(channel, &CommunicationInterface::emitFinished, channel, [&sensor] { ++sensor.frames; },
                     Qt::DirectConnection);
    sensor.window = std::make_unique<PollingWindow>(model);
    sensor.window->resize(1100, 600);
    if (qEnvironmentVariableIsEmpty("BENCH_HIDDEN"))
        sensor.window->show();
    return true;
}

void stopSensor(Sensor &sensor)
{
    if (sensor.window) {
        sensor.window->drain(20);
        sensor.window->setSerialChannel(nullptr);
        sensor.window.reset();
    }
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const auto found = firstSensor("bench_windows");
    if (!found)
        return 1;
    const ExtensionSystem::SensorBasic model = *found;

    // One window built and dropped first, so the one-time costs (styles,
    // fonts, icons) are not charged to the first count.
    {
        PollingWindow warmUp(&model);
        warmUp.show();
        runFor(200);
    }

    double singleRate = 0.0;
    double worstRatio = 1.0, worstLateness = 0.0, worstMemory = 0.0;
    for (int count : {1, 2, 4, 8}) {
        const double before = residentMb();
        std::vector<std::unique_ptr<Sensor>> sensors;
        for (int i = 0; i < count; ++i) {
            sensors.push_back(std::make_unique<Sensor>());
            if (!startSensor(*sensors.back(), &model)) {
                std::fprintf(stderr, "bench_windows: sensor %d of %d did not start\n", i + 1, count);
                return 1;
            }
        }
        for (auto &sensor : sensors)
            sensor->window->goLive(sensor->simulator.channel.get());
        runFor(500);
        for (auto &sensor : sensors)
            sensor->frames = 0;

        LatencyProbe probe;
        QElapsedTimer clock;
        clock.start();
        probe.start();
        runFor(PollSeconds * 1000);
        probe.stop();
        const double seconds = double(clock.nsecsElapsed()) / 1e9;
        const double memory = (residentMb() - before) / count;

        double lowest = 1e9;
        for (auto &sensor : sensors)
            lowest = std::min(lowest, sensor->frames / seconds);
        if (count == 1)
            singleRate = lowest;
        const double ratio = singleRate > 0 ? lowest / singleRate : 0.0;
        const double p99 = percentile(probe.lateness(), 0.99);
        std::printf("windows_%d: rate_ratio_min %.3f lateness_p99_ms %.2f memory_mb_per_window %.1f\n", count, ratio,
                    p99, memory);
        std::fflush(stdout);
        worstRatio = std::min(worstRatio, ratio);
        worstLateness = std::max(worstLateness, p99);
        worstMemory = std::max(worstMemory, memory);
        for (auto &sensor : sensors)
            stopSensor(*sensor);
    }
    std::printf("summary: single window %.2f polls/s; worst of 1-8 windows: rate ratio %.3f (goal >= 0.95), "
                "p99 lateness %.2f ms (goal <= 16), %.1f MB per window (goal <= 15)\n",
                singleRate, worstRatio, worstLateness, worstMemory);
    return 0;
}
