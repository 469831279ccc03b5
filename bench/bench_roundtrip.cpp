// Round trip of a cycle frame through the serial channel and iolink-sim on a
// pseudo-terminal: per-frame latency, and frames per second sustained when
// the channel is kept busy.
#include "benchsupport.h"

#include "comm/masterframes.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSignalSpy>

#include <cstdio>
#include <vector>

using ExtensionSystem::CommunicationInterface;
using K4KBench::percentile;

namespace {

constexpr int kFrames = 1000;

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    K4KTest::SimulatorOnPort sim;
    if (!K4KBench::startSimulator(sim, "bench_roundtrip", {QStringLiteral("--distance"), QStringLiteral("1500")}))
        return 1;
    CommunicationInterface &channel = *sim.channel;

    const std::string cycle = DirazSensorPlugin::Core::cycleFrame();
    QSignalSpy finished(&channel, &CommunicationInterface::emitFinished);
    std::vector<double> latencies;
    latencies.reserve(kFrames);
    int unanswered = 0;
    QElapsedTimer clock;
    for (int i = 0; i < kFrames; ++i) {
        CommunicationInterface::DataFrame frame(1);
        frame.front().command = cycle;
        frame.front().timeoutMs = 1000;
        finished.clear();
        clock.start();
        channel.sendFrame(&frame);
        while (finished.isEmpty())
            finished.wait(2000);
        latencies.push_back(double(clock.nsecsElapsed()) / 1e6);
        if (frame.front().answer.size() != 10)
            ++unanswered;
    }

    // Sustained: one batch of entries, the channel never idle between them.
    CommunicationInterface::DataFrame batch(kFrames);
    for (auto &entry : batch) {
        entry.command = cycle;
        entry.timeoutMs = 1000;
    }
    finished.clear();
    clock.start();
    channel.sendFrame(&batch);
    while (finished.isEmpty())
        finished.wait(10000);
    const double batchSeconds = double(clock.nsecsElapsed()) / 1e9;
    for (const auto &entry : batch) {
        if (entry.answer.size() != 10)
            ++unanswered;
    }

    double total = 0;
    for (double l : latencies)
        total += l;
    const double median = percentile(latencies, 0.5);
    const double p99 = percentile(latencies, 0.99);
    const double fps = kFrames / batchSeconds;
    std::printf("cycle_roundtrip_median: %.3f ms\n", median);
    std::printf("cycle_roundtrip_p99: %.3f ms\n", p99);
    std::printf("cycle_roundtrip_mean: %.3f ms\n", total / kFrames);
    std::printf("frames_per_second_sustained: %.1f frames/s\n", fps);
    std::printf("frames_unanswered: %d frames\n", unanswered);
    std::printf("summary: %d cycle frames through SerialChannel and iolink-sim, median %.3f ms, p99 %.3f ms, %.1f frames/s sustained\n",
                kFrames, median, p99, fps);

    return 0;
}
