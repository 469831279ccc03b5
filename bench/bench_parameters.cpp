// One parameter read and one edited parameter's write over the real serial
// path against iolink-sim, each against its ideal: the fixed pauses plus the
// line delay of every command (and, for the write, the 400 ms edit delay).
// Prints read_ratio and edit_write_ratio (goal: at most 1.05 each).

#include "sensorwindowprobe.h"
#include "benchsupport.h"

#include "comm/masterframes.h"
#include "persistence/dialoglayer.h"

#include <qtpropertymanager.h>

#include <QApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace DirazSensorPlugin::Core;
using ExtensionSystem::CommunicationInterface;

namespace {

constexpr int Rounds = 15;
constexpr int LineDelayMs = 10;
constexpr double ReadPausesMs = 20 + 20 + 70;
constexpr double WritePausesMs = 400 + 100 + 100;

class Window : public K4KTest::SensorWindowProbe
{
public:
    using SensorWindowProbe::SensorWindowProbe;
    using SensorWindow::bConnectToSensor;
    using SensorWindow::bReadParameter;
};

// Lends the serial channel to the window and notes when a parameter write
// has been answered by the device.
class TimingChannel : public CommunicationInterface
{
public:
    explicit TimingChannel(CommunicationInterface *inner) : m_inner(inner)
    {
        connect(inner, &CommunicationInterface::emitFinished, this, [this](unsigned int id) {
            if (id == m_writeId)
                writeDoneMs = clock.nsecsElapsed() / 1e6;
            emit emitFinished(id);
        });
    }
    void sendText(const std::string &bytes) override { m_inner->sendText(bytes); }
    unsigned int sendFrame(DataFrame *frame) override
    {
        const bool isWrite = frame->front().command.size() > 6
                             && std::uint8_t(frame->front().command[2]) == MasterCode::ParameterWrite;
        const unsigned int id = m_inner->sendFrame(frame);
        if (isWrite)
            m_writeId = id;
        return id;
    }
    void setPortSettings(const ExtensionSystem::PortSettings &s) override { m_inner->setPortSettings(s); }
    const ExtensionSystem::PortSettings &portSettings() const override { return m_inner->portSettings(); }

    QElapsedTimer clock;
    double writeDoneMs = -1;

private:
    CommunicationInterface *m_inner;
    unsigned int m_writeId = 0;
};

double median(const std::vector<double> &v)
{
    return K4KBench::percentile(v, 0.5);
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    DialogLayer::setTestMode(true);
    K4KTest::SimulatorOnPort sim;
    if (!K4KBench::startSimulator(sim, "bench_parameters", {QStringLiteral("--distance"), QStringLiteral("1500")}, LineDelayMs))
        return 1;
    const std::string description = K4KBench::descriptionPath();
    const auto model = K4KBench::firstSensor("bench_parameters");
    if (!model)
        return 1;
    TimingChannel channel(sim.channel.get());
    Window window(&*model, description);
    if (!K4KBench::connectWindow(window, &channel, "bench_parameters"))
        return 1;
    const int lineDelay = channel.portSettings().lineDelay;

    std::vector<double> reads;
    QElapsedTimer clock;
    for (int i = 0; i < Rounds; ++i) {
        clock.start();
        window.bReadParameter(QStringLiteral("SwitchingThresholdA1"), false);
        reads.push_back(clock.nsecsElapsed() / 1e6);
    }

    std::vector<double> writes;
    QtProperty *threshold = window.findProperty(QStringLiteral("SwitchingThresholdA1"));
    for (int i = 0; i < Rounds; ++i) {
        channel.writeDoneMs = -1;
        channel.clock.start();
        window.p().doubleManager->setValue(threshold, 1100.0 + i);
        QElapsedTimer limit;
        limit.start();
        while (channel.writeDoneMs < 0 && limit.elapsed() < 5000)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
        if (channel.writeDoneMs < 0) {
            std::fprintf(stderr, "bench_parameters: edit %d never reached the device\n", i);
            return 1;
        }
        writes.push_back(channel.writeDoneMs);
    }

    const double readIdeal = ReadPausesMs + 3 * lineDelay;   // request, cycle, fetch
    const double writeIdeal = WritePausesMs + 2 * lineDelay; // fetch, write
    const double readRatio = median(reads) / readIdeal;
    const double writeRatio = median(writes) / writeIdeal;
    std::printf("read_ratio: %.3f\n", readRatio);
    std::printf("edit_write_ratio: %.3f\n", writeRatio);
    std::printf("summary: read %.1f ms (ideal %.0f), edit to write %.1f ms (ideal %.0f), goal <= 1.05: %s\n",
                median(reads), readIdeal, median(writes), writeIdeal,
                readRatio <= 1.05 && writeRatio <= 1.05 ? "met" : "missed");
    return 0;
}
