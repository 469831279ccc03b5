// Soak: a sensor window polls iolink-sim on a pseudo-terminal for a long time
// (10 minutes, or --minutes N). Prints the memory growth per hour (slope of
// the resident size after a warm-up), the frames still pending after the
// polling stopped, and the 99th percentile of how late a 5 ms timer fires.
// Goals: no pending frame, under 1 MB per hour.

#include "benchsupport.h"

#include <QApplication>
#include <QCommandLineParser>

#include <array>
#include <cstdio>
#include <memory>
#include <vector>

using namespace K4KBench;
using ExtensionSystem::CommunicationInterface;

namespace {

constexpr int SampleIntervalMs = 5000;

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
    K4KTest::SimulatorOnPort sim;
    if (!startSimulator(sim, "bench_soak"))
        return 1;
    CommunicationInterface *channel = sim.channel.get();
    const auto model = firstSensor("bench_soak");
    if (!model)
        return 1;
    auto window = std::make_unique<PollingWindow>(&*model);
    window->resize(1200, 800);
    window->show();

    quint64 answered = 0;
    QObject::connect(channel, &CommunicationInterface::emitFinished, window.get(), [&answered] { ++answered; });

    LatenessHistogram lateness;
    LatencyProbe probe([&lateness](double ms) { lateness.add(ms); });

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

    window->goLive(channel);
    clock.start();
    probe.start();
    sampler.start();
    const double startMb = residentMb();
    runFor(int(totalMs));
    probe.stop();
    sampler.stop();
    const double endMb = residentMb();

    window->stopPolling();
    for (int i = 0; i < 100 && window->pendingFrames(channel) > 0; ++i)
        runFor(50);

    std::printf("polls_answered: %llu\n", static_cast<unsigned long long>(answered));
    std::printf("resident_start_mb: %.1f\n", startMb);
    std::printf("resident_end_mb: %.1f\n", endMb);
    std::printf("memory_growth_mb_per_hour: %.2f\n", growthPerHour(samples));
    std::printf("pending_frames: %d\n", window->pendingFrames(channel));
    std::printf("lateness_p99_ms: %.1f\n", lateness.percentile(0.99));

    window->setSerialChannel(nullptr);
    window.reset();
    return 0;
}
