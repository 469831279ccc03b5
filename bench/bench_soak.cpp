// Soak: a sensor window polls iolink-sim on a pseudo-terminal for a long time
// (10 minutes, or --minutes N). Prints the memory growth per hour (slope of
// the resident size after a warm-up), the frames still pending after the
// polling stopped, and the 99th percentile of how late a 5 ms timer fires.
// Goals: no pending frame, under 1 MB per hour.

#include "catalogue/catalogue.h"
#include "comm/framekeeper.h"
#include "window/sensorwindow.h"
#include "window/sensorwindowprivate.h"

#include <extensionsystem/serialchannel.h>

#include <QApplication>
#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTimer>

#include <array>
#include <cstdio>
#include <memory>
#include <unistd.h>
#include <vector>

using DirazSensorPlugin::Core::SensorWindow;
using ExtensionSystem::CommunicationInterface;
using ExtensionSystem::SerialChannel;

namespace {

constexpr int ProbeIntervalMs = 5;
constexpr int SampleIntervalMs = 5000;

class SoakWindow : public SensorWindow
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
    // The poll in flight and frames left with the channel after their sender
    // stopped waiting.
    int pendingFrames(const CommunicationInterface *channel) const
    {
        return (d->poll.isPending() ? 1 : 0) + DirazSensorPlugin::Core::FrameKeeper::heldOn(channel);
    }
};

// Lateness in 0.1 ms bins: a fixed histogram, so measuring does not itself
// grow the memory being measured.
class LatenessHistogram
{
public:
    void add(double ms)
    {
        const std::size_t bin = std::min(m_bins.size() - 1, std::size_t(ms * 10.0));
        ++m_bins[bin];
        ++m_count;
    }
    double percentile(double p) const
    {
        const double wanted = p * double(m_count);
        double seen = 0;
        for (std::size_t i = 0; i < m_bins.size(); ++i) {
            seen += double(m_bins[i]);
            if (seen >= wanted && m_bins[i] > 0)
                return double(i) / 10.0;
        }
        return 0.0;
    }

private:
    std::array<quint64, 20000> m_bins{};
    quint64 m_count = 0;
};

double residentMb()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0.0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields[1].toDouble() * double(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0) : 0.0;
}

// Least-squares slope of (seconds, MB), in MB per hour.
double growthPerHour(const std::vector<std::pair<double, double>> &samples)
{
    if (samples.size() < 2)
        return 0.0;
    double sx = 0, sy = 0, sxx = 0, sxy = 0;
    for (const auto &s : samples) {
        sx += s.first;
        sy += s.second;
        sxx += s.first * s.first;
        sxy += s.first * s.second;
    }
    const double n = double(samples.size());
    const double denominator = n * sxx - sx * sx;
    return denominator == 0.0 ? 0.0 : (n * sxy - sx * sy) / denominator * 3600.0;
}

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
    QCommandLineParser parser;
    parser.addHelpOption();
    const QCommandLineOption minutesOption("minutes", "Polling time in minutes (default 10).", "N", "10");
    parser.addOption(minutesOption);
    parser.process(app);
    bool ok = false;
    const double minutes = parser.value(minutesOption).toDouble(&ok);
    if (!ok || minutes <= 0) {
        std::fprintf(stderr, "bench_soak: --minutes needs a positive number\n");
        return 2;
    }
    const QString bin = QCoreApplication::applicationDirPath();

    QProcess sim;
    sim.start(bin + QStringLiteral("/iolink-sim"), QStringList());
    if (!sim.waitForStarted(10000) || !sim.waitForReadyRead(10000)) {
        std::fprintf(stderr, "bench_soak: iolink-sim did not start\n");
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
        std::fprintf(stderr, "bench_soak: cannot open %s\n", qPrintable(port));
        return 1;
    }
    const auto models = DirazSensorPlugin::Core::catalogueList((bin + QStringLiteral("/IoLinkK4Kv7family.xml")).toStdString());
    if (models.empty()) {
        std::fprintf(stderr, "bench_soak: no sensor in the catalogue\n");
        return 1;
    }
    const ExtensionSystem::SensorBasic model = models.front();
    auto window = std::make_unique<SoakWindow>(&model);
    window->resize(1200, 800);
    window->show();

    quint64 answered = 0;
    QObject::connect(channel.get(), &CommunicationInterface::emitFinished, window.get(), [&answered] { ++answered; });

    LatenessHistogram lateness;
    QElapsedTimer probeClock;
    QTimer probe;
    probe.setTimerType(Qt::PreciseTimer);
    probe.setInterval(ProbeIntervalMs);
    QObject::connect(&probe, &QTimer::timeout, &probe, [&] {
        lateness.add(std::max(0.0, double(probeClock.nsecsElapsed()) / 1e6 - ProbeIntervalMs));
        probeClock.restart();
    });

    // Memory after a warm-up: the chart fills its history and caches settle
    // in the first minutes, which is not growth.
    const double totalMs = minutes * 60000.0;
    const double warmUpMs = std::min(120000.0, totalMs / 4.0);
    std::vector<std::pair<double, double>> samples;
    samples.reserve(std::size_t(totalMs / SampleIntervalMs) + 2);
    QElapsedTimer clock;
    QTimer sampler;
    sampler.setInterval(SampleIntervalMs);
    QObject::connect(&sampler, &QTimer::timeout, &sampler, [&] {
        const double ms = double(clock.elapsed());
        if (ms >= warmUpMs)
            samples.emplace_back(ms / 1000.0, residentMb());
    });

    window->goLive(channel.get());
    clock.start();
    probeClock.start();
    probe.start();
    sampler.start();
    const double startMb = residentMb();
    runFor(int(totalMs));
    probe.stop();
    sampler.stop();
    const double endMb = residentMb();

    window->stopPolling();
    for (int i = 0; i < 100 && window->pendingFrames(channel.get()) > 0; ++i)
        runFor(50);

    std::printf("polls_answered: %llu\n", static_cast<unsigned long long>(answered));
    std::printf("resident_start_mb: %.1f\n", startMb);
    std::printf("resident_end_mb: %.1f\n", endMb);
    std::printf("memory_growth_mb_per_hour: %.2f\n", growthPerHour(samples));
    std::printf("pending_frames: %d\n", window->pendingFrames(channel.get()));
    std::printf("lateness_p99_ms: %.1f\n", lateness.percentile(0.99));

    window->setSerialChannel(nullptr);
    window.reset();
    channel.reset();
    sim.terminate();
    sim.waitForFinished(5000);
    return 0;
}
