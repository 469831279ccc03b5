// Several sensors at once: 1, 2, 4 and 8 sensor windows, each polling its own
// iolink-sim through its own serial channel. For each count it prints the
// lowest window's poll rate against the single window's rate, the event
// loop's 99th-percentile lateness while they poll, and the extra memory each
// window costs.

#include "catalogue/catalogue.h"
#include "window/sensorwindow.h"
#include "window/sensorwindowprivate.h"

#include <extensionsystem/serialchannel.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <memory>
#include <vector>

using DirazSensorPlugin::Core::SensorWindow;
using ExtensionSystem::CommunicationInterface;
using ExtensionSystem::SerialChannel;

namespace {

constexpr int PollSeconds = 8;
constexpr int ProbeIntervalMs = 5;

// Connected and polling without the connection sequence: only polling is
// measured.
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

struct Sensor
{
    std::unique_ptr<QProcess> simulator;
    std::unique_ptr<SerialChannel> channel;
    std::unique_ptr<PollingWindow> window;
    std::atomic<int> frames{0};
};

double percentile(std::vector<double> values, double p)
{
    if (values.empty())
        return 0.0;
    std::sort(values.begin(), values.end());
    return values[std::min(values.size() - 1, std::size_t(p * double(values.size() - 1) + 0.5))];
}

void runFor(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// Resident memory of this process in MB; 0 where the system does not say.
double residentMb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0.0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
    }
    return 0.0;
}

bool startSensor(Sensor &sensor, const QString &bin, const ExtensionSystem::SensorBasic *model)
{
    sensor.simulator = std::make_unique<QProcess>();
    sensor.simulator->start(bin + QStringLiteral("/iolink-sim"), QStringList());
    if (!sensor.simulator->waitForStarted(10000) || !sensor.simulator->waitForReadyRead(10000))
        return false;
    ExtensionSystem::PortSettings settings;
    settings.portName = QString::fromLocal8Bit(sensor.simulator->readLine()).trimmed();
    sensor.channel = std::make_unique<SerialChannel>();
    sensor.channel->setPortSettings(settings);
    if (!sensor.channel->isOpen())
        return false;
    // Counted on the channel's thread, as the frames finish there.
    QObject::connect(sensor.channel.get(), &CommunicationInterface::emitFinished, sensor.channel.get(),
                     [&sensor] { ++sensor.frames; }, Qt::DirectConnection);
    sensor.window = std::make_unique<PollingWindow>(model);
    sensor.window->resize(1100, 600);
    if (qEnvironmentVariableIsEmpty("BENCH_HIDDEN"))
        sensor.window->show();
    return true;
}

void stopSensor(Sensor &sensor)
{
    if (sensor.window) {
        sensor.window->stopPolling();
        for (int i = 0; i < 100 && sensor.window->pollInFlight(); ++i)
            runFor(20);
        sensor.window->setSerialChannel(nullptr);
        sensor.window.reset();
    }
    sensor.channel.reset();
    if (sensor.simulator) {
        sensor.simulator->terminate();
        sensor.simulator->waitForFinished(5000);
    }
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString bin = QCoreApplication::applicationDirPath();
    const auto models =
        DirazSensorPlugin::Core::catalogueList((bin + QStringLiteral("/IoLinkK4Kv7family.xml")).toStdString());
    if (models.empty()) {
        std::fprintf(stderr, "bench_windows: no sensor in the catalogue\n");
        return 1;
    }
    const ExtensionSystem::SensorBasic model = models.front();

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
            if (!startSensor(*sensors.back(), bin, &model)) {
                std::fprintf(stderr, "bench_windows: sensor %d of %d did not start\n", i + 1, count);
                return 1;
            }
        }
        for (auto &sensor : sensors)
            sensor->window->goLive(sensor->channel.get());
        runFor(500);
        for (auto &sensor : sensors)
            sensor->frames = 0;

        std::vector<double> late;
        QTimer probe;
        probe.setTimerType(Qt::PreciseTimer);
        probe.setInterval(ProbeIntervalMs);
        QElapsedTimer probeClock;
        QObject::connect(&probe, &QTimer::timeout, &probe, [&] {
            late.push_back(std::max(0.0, double(probeClock.nsecsElapsed()) / 1e6 - ProbeIntervalMs));
            probeClock.restart();
        });
        QElapsedTimer clock;
        clock.start();
        probeClock.start();
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
        const double p99 = percentile(late, 0.99);
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
