// Read-all and write-all over the real serial path against iolink-sim, each
// as a ratio of its wall time to its ideal: the fixed pauses it slept plus
// the line delay of every command it sent. Goal: at most 1.05 each.

#include "recordingchannel.h"
#include "sensorwindowprobe.h"
#include "benchsupport.h"

#include "comm/pause.h"
#include "persistence/dialoglayer.h"

#include <QApplication>
#include <QElapsedTimer>

#include <cstdio>
#include <functional>

using namespace DirazSensorPlugin::Core;

namespace {

constexpr int LineDelayMs = 10;

class Window : public K4KTest::SensorWindowProbe
{
public:
    using SensorWindowProbe::SensorWindowProbe;
    using SensorWindow::bConnectToSensor;
    using SensorWindow::vReadAllParameters;
};

struct Pass
{
    double seconds = 0;
    double idealSeconds = 0;
    double ratio() const { return idealSeconds > 0 ? seconds / idealSeconds : 0; }
};

Pass measure(K4KTest::RecordingChannel &channel, const std::function<void()> &pass)
{
    const long long pausedBefore = pausedMsTotal();
    const std::size_t commandsBefore = channel.commands.size();
    QElapsedTimer clock;
    clock.start();
    pass();
    Pass out;
    out.seconds = clock.nsecsElapsed() / 1e9;
    out.idealSeconds =
        (double(pausedMsTotal() - pausedBefore) + double(channel.commands.size() - commandsBefore) * LineDelayMs) / 1000.0;
    return out;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    DialogLayer::setTestMode(true);
    K4KTest::SimulatorOnPort sim;
    if (!K4KBench::startSimulator(sim, "bench_transfer", {QStringLiteral("--distance"), QStringLiteral("1500")}, LineDelayMs))
        return 1;
    const std::string description = K4KBench::descriptionPath();
    const auto model = K4KBench::firstSensor("bench_transfer");
    if (!model)
        return 1;
    K4KTest::RecordingChannel channel(sim.channel.get());
    Window window(&*model, description);
    if (!K4KBench::connectWindow(window, &channel, "bench_transfer"))
        return 1;
    window.p().pollingAllowed = false;
    window.p().chartTimer.stop();
    const int parameters = window.propertyAddresses.size();

    const Pass read = measure(channel, [&] { window.vReadAllParameters(); });
    window.enableTreeDataHandling(false);
    const Pass write = measure(channel, [&] { window.writeAllSettings(); });

    window.p().chartTimer.stop();
    while (window.p().poll.isPending())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);

    std::printf("read_all_ratio: %.3f (%d parameters, %.2f s, ideal %.2f s)\n", read.ratio(), parameters,
                read.seconds, read.idealSeconds);
    std::printf("write_all_ratio: %.3f (%d parameters, %.2f s, ideal %.2f s)\n", write.ratio(), parameters,
                write.seconds, write.idealSeconds);
    std::printf("summary: read-all %.2f s, write-all %.2f s over the serial path, goal <= 1.05: %s\n", read.seconds,
                write.seconds, read.ratio() <= 1.05 && write.ratio() <= 1.05 ? "met" : "missed");
    return 0;
}
