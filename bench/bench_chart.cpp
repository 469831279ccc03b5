// Cost of appending one live sample to the chart, with a short and a long
// history. Appending must not depend on the history length; drawing is
// throttled and measured separately.
#include <utils/genericchart.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTextStream>
#include <qwt_plot.h>

#include <algorithm>
#include <vector>

namespace {

using Utils::Charts::GenericChart;

constexpr int DistancePlot = 3;

// A chart as the window sets it up, with a full history of `history` samples.
void prepare(GenericChart &chart, int history)
{
    chart.setHistorySize(history);
    chart.setTimelineScale(2.0, 10500.0);
    chart.setScale(DistancePlot, 0.0, 10005.0);
    chart.setValuePrecision(DistancePlot, 1);
    chart.resize(900, 600);
    chart.show();
    for (int i = 0; i < history; ++i)
        chart.vAppendMultiFake(DistancePlot, 1000.0 + (i % 200), true, -65000.0, false,
                               -1.0, -1.0);
    chart.flush();
    QCoreApplication::processEvents();
}

// Median over several rounds of the mean time per append, in microseconds.
double appendCost(int history)
{
    GenericChart chart;
    prepare(chart, history);
    const int perRound = 100000;
    std::vector<double> rounds;
    for (int round = 0; round < 7; ++round) {
        QElapsedTimer timer;
        timer.start();
        for (int i = 0; i < perRound; ++i)
            chart.vAppendMultiFake(DistancePlot, 1000.0 + (i % 300), true, -65000.0, false,
                                   -1.0, -1.0);
        rounds.push_back(timer.nsecsElapsed() / 1000.0 / perRound);
        // Let the throttled replot happen between rounds, as it would live.
        chart.flush();
    }
    std::nth_element(rounds.begin(), rounds.begin() + rounds.size() / 2, rounds.end());
    return rounds[rounds.size() / 2];
}

// Median time of one throttled redraw of the distance plot, painted at once,
// in microseconds.
double replotCost(int history)
{
    GenericChart chart;
    prepare(chart, history);
    std::vector<double> samples;
    for (int i = 0; i < 15; ++i) {
        chart.vAppendMultiFake(DistancePlot, 1000.0 + i, true, -65000.0, false, -1.0, -1.0);
        QElapsedTimer timer;
        timer.start();
        chart.flush();
        chart.poPlot(DistancePlot)->canvas()->repaint();
        samples.push_back(timer.nsecsElapsed() / 1000.0);
    }
    std::nth_element(samples.begin(), samples.begin() + samples.size() / 2, samples.end());
    return samples[samples.size() / 2];
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTextStream out(stdout);

    const double append100 = appendCost(100);
    const double append10000 = appendCost(10000);
    const double replot100 = replotCost(100);
    const double replot10000 = replotCost(10000);
    // An hour of live history at eleven polls a second is about 40,000.
    const double replot100000 = replotCost(100000);

    out << "append_100: " << QString::number(append100, 'f', 3) << " us\n";
    out << "append_10000: " << QString::number(append10000, 'f', 3) << " us\n";
    out << "replot_100: " << QString::number(replot100, 'f', 1) << " us\n";
    out << "replot_10000: " << QString::number(replot10000, 'f', 1) << " us\n";
    out << "replot_100000: " << QString::number(replot100000, 'f', 1) << " us\n";
    out << "replot_ratio_10000: " << QString::number(replot10000 / std::max(replot100, 1e-9), 'f', 2) << "\n";
    out << "replot_ratio_100000: " << QString::number(replot100000 / std::max(replot100, 1e-9), 'f', 2) << "\n";
    out << "replot_interval: " << GenericChart::ReplotIntervalMs << " ms\n";
    out << "summary: append_10000 / append_100 = "
        << QString::number(append10000 / std::max(append100, 1e-9), 'f', 2) << "\n";
    return 0;
}
