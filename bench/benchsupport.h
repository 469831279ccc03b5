#pragma once

// What the benchmarks share: a sensor window put straight into polling, the
// first sensor of the shipped catalogue, the event loop run for a while, a
// timer's lateness, percentiles and this process's resident memory.

#include "simulatorport.h"

#include "window/sensorwindow.h"

#include <extensionsystem/communicationinterface.h>
#include <extensionsystem/sensorbasic.h>

#include <QElapsedTimer>
#include <QTimer>

#include <cstdio>
#include <functional>
#include <optional>
#include <vector>

namespace K4KBench {

// Connected and polling without the connection sequence: only polling is
// measured.
class PollingWindow : public DirazSensorPlugin::Core::SensorWindow
{
public:
    using SensorWindow::SensorWindow;

    void goLive(ExtensionSystem::CommunicationInterface *channel);
    void stopPolling();
    bool pollInFlight() const;
    // The poll in flight and frames left with the channel after their sender
    // stopped waiting.
    int pendingFrames(const ExtensionSystem::CommunicationInterface *channel) const;
    // Stops polling and waits (up to about 5 s) for the poll in flight.
    void drain(int stepMs);
};

// How late a periodic 5 ms timer fires beyond its interval, in ms. Each
// lateness goes to the sink if one is given, else into lateness().
class LatencyProbe
{
public:
    static constexpr int IntervalMs = 5;

    explicit LatencyProbe(std::function<void(double)> sink = {});
    void start();
    void stop();
    const std::vector<double> &lateness() const { return m_late; }

private:
    std::function<void(double)> m_sink;
    QTimer m_timer;
    QElapsedTimer m_clock;
    std::vector<double> m_late;
};

// The first sensor of the description beside the program; reports on stderr
// under the benchmark's name when there is none.
std::optional<ExtensionSystem::SensorBasic> firstSensor(const char *bench);
std::string descriptionPath();

// iolink-sim on a pseudo-terminal with the serial channel open on it;
// reports on stderr under the benchmark's name when it does not start.
bool startSimulator(K4KTest::SimulatorOnPort &sim, const char *bench, const QStringList &arguments = {},
                    int lineDelay = 0);

// The window on the channel through the real connection sequence; reports on
// stderr when it does not connect.
template<class Window>
bool connectWindow(Window &window, ExtensionSystem::CommunicationInterface *channel, const char *bench)
{
    window.setSerialChannel(channel);
    window.vDisconnect();
    if (!window.bConnectToSensor()) {
        std::fprintf(stderr, "%s: the window did not connect\n", bench);
        return false;
    }
    window.connected = true;
    return true;
}

void runFor(int ms);
// Nearest-rank percentile, p in [0, 1]; 0 for no values.
double percentile(std::vector<double> values, double p);
// Resident memory of this process in MB; 0 where the system does not say.
double residentMb();

} // namespace K4KBench
