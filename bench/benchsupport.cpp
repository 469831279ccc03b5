#include "benchsupport.h"

#include "catalogue/catalogue.h"
#include "comm/framekeeper.h"
#include "window/sensorwindowprivate.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFile>

#include <algorithm>
#include <cstdio>
#include <unistd.h>

namespace K4KBench {

void PollingWindow::goLive(ExtensionSystem::CommunicationInterface *channel)
{
    setSerialChannel(channel);
    connected = true;
    d->liveData = true;
    d->pollingAllowed = true;
    d->showProgress = false;
    enableStatusChecking(true);
}

void PollingWindow::stopPolling()
{
    d->pollingAllowed = false;
}

bool PollingWindow::pollInFlight() const
{
    return d->poll.isPending();
}

int PollingWindow::pendingFrames(const ExtensionSystem::CommunicationInterface *channel) const
{
    return (pollInFlight() ? 1 : 0) + DirazSensorPlugin::Core::FrameKeeper::heldOn(channel);
}

void PollingWindow::drain(int stepMs)
{
    stopPolling();
    for (int i = 0; i < 100 && pollInFlight(); ++i)
        runFor(stepMs);
}

LatencyProbe::LatencyProbe(std::function<void(double)> sink) : m_sink(std::move(sink))
{
    m_timer.setTimerType(Qt::PreciseTimer);
    m_timer.setInterval(IntervalMs);
    QObject::connect(&m_timer, &QTimer::timeout, &m_timer, [this] {
        const double late = std::max(0.0, double(m_clock.nsecsElapsed()) / 1e6 - IntervalMs);
        if (m_sink)
            m_sink(late);
        else
            m_late.push_back(late);
        m_clock.restart();
    });
}

void LatencyProbe::start()
{
    m_late.clear();
    m_clock.start();
    m_timer.start();
}

void LatencyProbe::stop()
{
    m_timer.stop();
}

std::string descriptionPath()
{
    return (QCoreApplication::applicationDirPath() + QStringLiteral("/IoLinkK4Kv7family.xml")).toStdString();
}

std::optional<ExtensionSystem::SensorBasic> firstSensor(const char *bench)
{
    const auto models = DirazSensorPlugin::Core::catalogueList(descriptionPath());
    if (models.empty()) {
        std::fprintf(stderr, "%s: no sensor in the catalogue\n", bench);
        return std::nullopt;
    }
    return models.front();
}

bool startSimulator(K4KTest::SimulatorOnPort &sim, const char *bench, const QStringList &arguments, int lineDelay)
{
    if (sim.start(arguments, lineDelay))
        return true;
    std::fprintf(stderr, "%s: iolink-sim did not start or its port did not open\n", bench);
    return false;
}

void runFor(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

double percentile(std::vector<double> values, double p)
{
    if (values.empty())
        return 0.0;
    std::sort(values.begin(), values.end());
    return values[std::min(values.size() - 1, std::size_t(p * double(values.size() - 1) + 0.5))];
}

double residentMb()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0.0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields[1].toDouble() * double(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0) : 0.0;
}

} // namespace K4KBench
