// Polling through the real serial path: a sensor window polls iolink-sim on a
// pseudo-terminal with live data on. Prints the cycle round trip, the poll
// rate achieved against its limit 1 / (85 ms + round trip), and how late a
// 5 ms probe timer fires while the window polls (the event loop's latency).

#include "catalogue/catalogue.h"
#include "comm/masterframes.h"
#include "window/sensorwindow.h"
#include "window/sensorwindowprivate.h"

#include <extensionsystem/serialchannel.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QSignalSpy>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

using DirazSensorPlugin::Core::SensorWindow;
using ExtensionSystem::CommunicationInterface;
using ExtensionSystem::SerialChannel;

namespace {

constexpr int RoundTripFrames = 200;
constexpr int PollSeconds = 10;
constexpr int IdleSeconds = 2;
constexpr int ProbeIntervalMs = 5;
constexpr double ChartTimerMs = 85.0;

double percentile(std::vector<double> values, double p)
{
    if (values.empty())
        return 0.0;
    std::sort(values.begin(), values.end());
    const std::size_t at = std::min(values.size() - 1, std::size_t(p * double(values.size() - 1) + 0.5));
    return values[at];
}

// A window that can be put into the connected state without a connection
// sequence, so only polling is measured.
class PollingWindow : public SensorWindow
{
public:
    using SensorWindow::SensorWindow;

    void goLive(CommunicationInterface *channel)
    {
        setSerialChannel(channel);
        connected = true;
        d->liveData = true;
        d->pollingAllowed = true;
        d->showProgress = false;
        enableStatusChecking(true);
    }
    void stopPolling() { d->pollingAllowed = false; }
    bool pollInFlight() const { return d->poll.isPending(); }
};

// Lateness of a periodic timer beyond its interval, in milliseconds.
class LatencyProbe
{
public:
    void start()
    {
        m_late.clear();
        m_timer.setTimerType(Qt::PreciseTimer);
        m_timer.setInterval(ProbeIntervalMs);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            const double elapsed = double(m_clock.nsecsElapsed()) / 1e6;
            m_late.push_back(std::max(0.0, elapsed - ProbeIntervalMs));
            m_clock.restart();
        });
        m_clock.start();
        m_timer.start();
    }
    void stop()
    {
        m_timer.stop();
        QObject::disconnect(&m_timer, nullptr, nullptr, nullptr);
    }
    const std::vector<double> &lateness() const { return m_late; }

private:
    QTimer m_timer;
    QElapsedTimer m_clock;
    std::vector<double> m_late;
};

void runFor(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString bin = QCoreApplication::applicationDirPath();

    QProcess sim;
    sim.start(bin + QStringLiteral("/iolink-sim"), QStringList());
    if (!sim.waitForStarted(10000) || !sim.waitForReadyRead(10000)) {
        std::fprintf(stderr, "bench_polling: iolink-sim did not start\n");
        return 1;
    }
    const QString port = QString::fromLocal8Bit(sim.readLine()).trimmed();

    auto channel = std::make_unique<SerialChannel>();
    {
        ExtensionSystem::PortSettings settings;
        settings.portName = port;
        QSignalSpy opened(channel.get(), &SerialChannel::portStateChanged);
        channel->setPortSettings(settings);
        for (int i = 0; i < 50 && !channel->isOpen(); ++i)
            opened.wait(100);
    }
    if (!channel->isOpen()) {
        std::fprintf(stderr, "bench_polling: cannot open %s\n", qPrintable(port));
        return 1;
    }

    // Round trip of one cycle frame, the channel otherwise idle.
    std::vector<double> roundTrips;
    {
        const std::string cycle = DirazSensorPlugin::Core::cycleFrame();
        QSignalSpy finished(channel.get(), &CommunicationInterface::emitFinished);
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

    const auto models = DirazSensorPlugin::Core::catalogueList((bin + QStringLiteral("/IoLinkK4Kv7family.xml")).toStdString());
    if (models.empty()) {
        std::fprintf(stderr, "bench_polling: no sensor in the catalogue\n");
        return 1;
    }
    const ExtensionSystem::SensorBasic model = models.front();
    auto window = std::make_unique<PollingWindow>(&model);
    window->resize(1200, 800);
    if (qEnvironmentVariableIsEmpty("BENCH_HIDDEN")) window->show();

    // The event loop with the window shown but not polling.
    LatencyProbe probe;
    probe.start();
    runFor(IdleSeconds * 1000);
    probe.stop();
    const double idleP99 = percentile(probe.lateness(), 0.99);

    int answered = 0;
    QObject::connect(channel.get(), &CommunicationInterface::emitFinished, window.get(), [&] { ++answered; });
    window->goLive(channel.get());
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
    window->stopPolling();
    for (int i = 0; i < 100 && window->pollInFlight(); ++i)
        runFor(50);

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
    channel.reset();
    sim.terminate();
    sim.waitForFinished(5000);
    return 0;
}
