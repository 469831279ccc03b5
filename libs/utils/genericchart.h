#ifndef UTILS_GENERICCHART_H
#define UTILS_GENERICCHART_H

#include <utils/dockchartitem.h>
#include <utils/valueovertime.h>

#include <QColor>
#include <QElapsedTimer>
#include <QList>
#include <QMainWindow>
#include <QTimer>
#include <QVector>
#include <memory>
#include <vector>

class QwtPlot;

namespace Utils {
namespace Charts {

// A dockable multi-plot chart. Each plot sits in its own DockChartItem inside
// this widget (itself a QMainWindow, so the docks can be rearranged), is
// addressed by its index and shows one series.
//
// Plots are time plots by default: x is the time in seconds since the chart
// was created and the view follows the newest sample. An independent plot has
// its own x axis (setPlotAxisScale) and shows vertical lines
// (createChartRectangles, vUpdateXLines) instead of a time series.
//
// Appending is O(1) whatever the history length; drawing is throttled to one
// replot per plot every ReplotIntervalMs.
class GenericChart : public QMainWindow
{
    Q_OBJECT
public:
    static constexpr int ReplotIntervalMs = 50;

    explicit GenericChart(QWidget *parent = nullptr, int plotCount = 4);
    ~GenericChart() override;

    int nPlotCount() const;
    QwtPlot *poPlot(int plot) const;
    DockChartItem *getDockChartItem(int plot) const;
    const ValueOverTime *getData(int plot) const;

    // Layout: each call adds one row of plots side by side, rows top to
    // bottom. Plots named in no row follow in one last row.
    void addRow(const QList<int> &plots);

    // Titles, colours and texts -------------------------------------------
    void setPlotTitle(int plot, const QString &title, bool titleShown,
                      const QString &unit, bool unitShown);
    QString plotTitle(int plot) const;
    // Refreshes the dock title bars from the plot titles (after a language
    // change the caller sets translated titles first).
    void translateDockTitleBarTexts();
    void setPlotColor(int plot, const QColor &line, const QColor &fill = QColor());
    // Horizontal marker at the current value, labelled with the value or
    // with the custom text; an empty custom text returns to the value.
    void vSetValueMarkerCustomTextGraph(int plot, const QString &text);
    void vSetValueMarkerVisible(int plot, bool visible);
    // Decimals of the current value in the marker and signal text.
    void setValuePrecision(int plot, int decimals);
    // Name of the graph in the plot's upper left corner.
    void vSetGraphTextVisible(int plot, bool visible);
    // Current value with its unit in the plot's upper right corner.
    void vSetSignalTextVisible(int plot, bool visible);
    bool isValueMarkerVisible(int plot) const;
    bool isGraphTextVisible(int plot) const;
    bool isSignalTextVisible(int plot) const;
    QString valueMarkerText(int plot) const;

    // Scales ----------------------------------------------------------------
    // Time plots: the visible time span may be zoomed between `minimum` and
    // `maximum` seconds (it starts at 60 s, clamped into that interval).
    void setTimelineScale(double minimum, double maximum);
    double timelineSpan() const;
    // Value axis of a plot.
    void setScale(int plot, double minimum, double maximum);
    double scaleMinimum(int plot) const;
    double scaleMaximum(int plot) const;
    // Panning and zooming never show values below zero.
    void setNoNegativeValues(int plot, bool on);
    // How far beyond the scale (below the minimum, above the maximum) the
    // value axis may be panned.
    void setPanOffsets(int plot, double belowMinimum, double aboveMaximum);
    // Samples kept per series (the oldest are dropped first).
    void setHistorySize(int samples);

    // Independent plots -----------------------------------------------------
    void setIndependentPlot(int plot, bool independent, bool showXValues = true);
    bool isIndependentPlot(int plot) const;
    void setPlotAxisScale(int plot, double minimum, double maximum, double step);
    double xMaximum(int plot) const;
    void setXMaximum(int plot, double maximum);
    // `count` vertical lines (rectangles) of zero height at x = 0.
    void createChartRectangles(int plot, int count);
    // Line i stands at positions[i] with height heights[i]; lines without a
    // position go back to 0.
    void vUpdateXLines(int plot, const QVector<double> &positions,
                       const QVector<double> &heights);
    // Highlights line `line` of the independent plot(s) in `colour`; the
    // other lines return to the plot's colour.
    void vSetXLinesPen(int line, const QColor &colour);
    int xLineCount(int plot) const;
    double xLinePosition(int plot, int line) const;
    double xLineHeight(int plot, int line) const;
    QColor xLineColor(int plot, int line) const;

    // Data --------------------------------------------------------------------
    // Appends `value` to the plot's series. With `stampNow` x is the chart's
    // clock, otherwise `x` (or the previous x + 1 when `x` is negative); x
    // never goes back. Values below `lowerLimit` are dropped. With
    // `autoScale` the value axis widens to include the value. `gapSeconds` is
    // only used by vAppendMultiFake.
    void vAppendData(int plot, double value, bool stampNow = true,
                     double lowerLimit = -65000.0, bool autoScale = false,
                     double x = -1.0, double gapSeconds = -1.0);
    // As vAppendData; when more than `gapSeconds` (1 s when not positive)
    // passed since the previous sample, the previous value is first repeated
    // at the new time, so a pause in the data shows as a flat line rather
    // than a slope.
    void vAppendMultiFake(int plot, double value, bool stampNow = true,
                          double lowerLimit = -65000.0, bool autoScale = false,
                          double x = -1.0, double gapSeconds = -1.0);
    void vClearData();
    void vClearPlot(int plot);
    // Multiplies the plot's history by `factor` (a change of unit).
    void vScaleData(int plot, double factor);
    QString dataToString(int plot) const;
    bool setDataFromString(int plot, const QString &text,
                           QChar separator = QLatin1Char(';'));
    // Seconds since the chart was created (continues after loaded data).
    double currentTime() const;

    // Limit lines -------------------------------------------------------------
    void addLimitLine(int plot, double value, const QColor &colour = Qt::red,
                      const QString &label = QString());
    bool hasLimitLines() const;
    void clearLimitLines();

    // Minimum sizes of the dock items: the window's height less `reserved`
    // is shared among `count` visible docks (at least MinimumDockHeight
    // each); a dock is at most a third of the window's width wide at minimum.
    static constexpr int MinimumDockHeight = 80;
    void UpdateMinimumHeightsCustomDocksK4KR(int height, int width, int count,
                                              int reserved);

    // Draws pending changes now instead of at the next throttled replot.
    void flush();
    // Replots done so far (all plots), for measurements.
    int replotCount() const { return m_replots; }

public slots:
    // Back to the live end of the time axis and the set scales.
    void jumpToPlottingArea();
    // Re-applies a plot's axis settings and redraws it.
    void axisChanged(int plot);
    // Undoes pan and zoom of one plot.
    void resetZoom(int plot);

signals:
    // The user reset the zoom of a time plot (double click).
    void vSignalZommResetForNoiseLine();
    // The user double-clicked an independent plot.
    void IndependentPlotDoubleClick(int plot);
    // The user zoomed an independent plot with the wheel.
    void IndependentPlotZoomed(int plot);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Plot;
    Plot *plotAt(int plot) const;
    void appendSample(int plot, double value, bool stampNow, double lowerLimit,
                      bool autoScale, double x, double gapSeconds, bool fillGap);
    void markDirty(int plot);
    void replotDirty();
    void updateLiveView(Plot &p);
    void updateTexts(Plot &p);
    void applyScales(Plot &p);
    void keepValueAxisInLimits(Plot &p);
    void relayoutDocks();
    QString dockTitle(const Plot &p) const;

    std::vector<std::unique_ptr<Plot>> m_plots;
    QList<QList<int>> m_rows;
    QElapsedTimer m_clock;
    double m_timeOffset = 0.0;
    double m_minSpan = 1.0;
    double m_maxSpan = 1.0e9;
    double m_span = 60.0;
    int m_historySize = ValueOverTime::DefaultCapacity;
    QTimer m_replotTimer;
    int m_replots = 0;
    bool m_clampingAxis = false;
};

} // namespace Charts
} // namespace Utils

#endif
