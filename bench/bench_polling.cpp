// Polling through the real serial path: a sensor window polls iolink-sim on a
// pseudo-terminal with live data on. Prints the cycle round trip, the poll
// rate achieved against its limit 1 / (85 ms + round trip), and how late a
// 5 ms probe timer fires while the window polls (the event loop's latency).

#include "benchsupport.h"

#include "comm/masterframes.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QSignalSpy>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

using namespace K4KBench;
using ExtensionSystem::CommunicationInterface;

namespace {

constexpr int RoundTripFrames = 200;
constexpr int PollSeconds = 10;
constexpr int IdleSeconds = 2;
constexpr double ChartTimerMs = 85.0;

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    K4KTest::SimulatorOnPort sim;
    if (!startSimulator(sim, "bench_polling"))
        return 1;
    CommunicationInterface *channel = sim.channel.get();

    // Round trip of one cycle frame, the channel otherwise idle.
    std::vector<double> roundTrips;
    {
        const std::string cycle = DirazSensorPlugin::Core::cycleFrame();
        QSignalSpy finished(channel, &CommunicationInterface::emitFinished);
        QElapsedTimer clock;
        for (int i = 0; i < RoundTripFrames; ++i) {
            CommunicationInterface::DataFrame frame(1);
            frame.front().command = cycle;
            frame.front().timeoutMs = 2000.0;
            finished.clear();
            clock.start();
            channel->sendFrame(&frame);
            while (finished.isEmpty())
                finished.wait(3000);
            if (frame.front().answer.size() == std::size_t(DirazSensorPlugin::Core::CycleAnswerLength))
                roundTrips.push_back(double(clock.nsecsElapsed()) / 1e6);
        }
    }
    const double roundTrip = percentile(roundTrips, 0.5);

    const auto model = firstSensor("bench_polling");
    if (!model)
        return 1;
    auto window = std::make_unique<PollingWindow>(&*model);
    window->resize(1200, 800);
    if (qEnvironmentVariableIsEmpty("BENCH_HIDDEN")) window->show();

    // The event loop with the window shown but not polling.
    LatencyProbe probe;
    probe.start();
    runFor(IdleSeconds * 1000);
    probe.stop();
    const double idleP99 = percentile(probe.lateness(), 0.99);

    int answered = 0;
    QObject::connect(channel, &CommunicationInterface::emitFinished, window.get(), [&] { ++answered; });
    window->goLive(channel);
    // The first poll starts one timer period after going live.
    runFor(int(ChartTimerMs) + 20);
    answered = 0;
    probe.start();
    QElapsedTimer pollClock;
    pollClock.start();
    runFor(PollSeconds * 1000);
    const int polls = answered;
    const double seconds = double(pollClock.nsecsElapsed()) / 1e9;
    probe.stop();
    window->drain(50);

    const double rate = polls / seconds;
    const double limit = 1000.0 / (ChartTimerMs + roundTrip);
    const double ratio = rate / limit;
    const double pollingP99 = percentile(probe.lateness(), 0.99);
    const double pollingMax = probe.lateness().empty()
                                  ? 0.0
                                  : *std::max_element(probe.lateness().begin(), probe.lateness().end());

    std::printf("cycle_roundtrip_median: %.3f ms\n", roundTrip);
    std::printf("cycle_roundtrips_answered: %d frames\n", int(roundTrips.size()));
    std::printf("polls_completed: %d polls\n", polls);
    std::printf("poll_rate: %.3f polls/s\n", rate);
    std::printf("poll_rate_limit: %.3f polls/s\n", limit);
    std::printf("poll_rate_ratio: %.4f ratio\n", ratio);
    std::printf("event_loop_lateness_p99_idle: %.3f ms\n", idleP99);
    std::printf("event_loop_lateness_p99_polling: %.3f ms\n", pollingP99);
    std::printf("event_loop_lateness_max_polling: %.3f ms\n", pollingMax);
    std::printf("summary: %.2f polls/s over %.1f s against a limit of %.2f polls/s (ratio %.4f, goal >= 0.97), "
                "cycle round trip %.3f ms, event loop p99 lateness %.3f ms while polling (%.3f ms idle)\n",
                rate, seconds, limit, ratio, roundTrip, pollingP99, idleP99);

    window->setSerialChannel(nullptr);
    window.reset();
    return 0;
}
