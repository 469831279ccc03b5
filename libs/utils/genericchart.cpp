#include <utils/genericchart.h>
#include <utils/valueovertimeseries.h>

#include <QEvent>
#include <QLocale>
#include <QMouseEvent>
#include <QWheelEvent>
#include <qwt_plot.h>
#include <qwt_plot_canvas.h>
#include <qwt_plot_curve.h>
#include <qwt_plot_magnifier.h>
#include <qwt_plot_marker.h>
#include <qwt_plot_panner.h>
#include <qwt_plot_textlabel.h>
#include <qwt_scale_div.h>
#include <qwt_scale_widget.h>
#include <qwt_text.h>

#include <algorithm>
#include <cmath>

namespace Utils {
namespace Charts {

namespace {

const QColor DefaultLineColour(0, 0, 188);

// Hidden on purpose, as opposed to not shown yet because the chart is not.
bool explicitlyHidden(const QWidget *w)
{
    return w->isHidden() && w->testAttribute(Qt::WA_WState_ExplicitShowHide);
}

QwtText cornerText(const QString &text, Qt::Alignment alignment)
{
    QwtText t(text);
    t.setRenderFlags(static_cast<int>(alignment));
    QFont font = t.font();
    font.setPointSize(9);
    t.setFont(font);
    return t;
}

} // namespace

struct GenericChart::Plot
{
    explicit Plot(int capacity) : data(capacity) {}

    struct XLine
    {
        QwtPlotCurve *stick = nullptr;
        QwtPlotMarker *label = nullptr;
        double x = 0.0;
        double height = 0.0;
        QColor colour;
    };

    int index = 0;
    QwtPlot *plot = nullptr;
    DockChartItem *dock = nullptr;
    ValueOverTime data;
    QwtPlotCurve *curve = nullptr;
    QwtPlotMarker *valueMarker = nullptr;
    QwtPlotTextLabel *graphText = nullptr;
    QwtPlotTextLabel *signalText = nullptr;
    QwtPlotPanner *panner = nullptr;
    QwtPlotMagnifier *magnifier = nullptr;

    QString title;
    QString unit;
    bool titleShown = true;
    bool unitShown = false;
    QString customText;
    bool valueMarkerVisible = true;
    bool graphTextVisible = true;
    bool signalTextVisible = true;
    int precision = 0;
    QColor colour = DefaultLineColour;

    double yMin = 0.0;
    double yMax = 100.0;
    bool noNegative = false;
    double panBelow = 0.0;
    double panAbove = 0.0;

    bool independent = false;
    bool showXValues = false;
    double xMin = 0.0;
    double xMax = 100.0;
    double xStep = 0.0;
    bool follow = true;

    std::vector<XLine> xLines;
    QList<QwtPlotMarker *> limitLines;
    bool dirty = false;
};

GenericChart::GenericChart(QWidget *parent, int plotCount)
    : QMainWindow(parent)
{
    setWindowFlags(Qt::Widget);
    setDockNestingEnabled(true);
    setDockOptions(QMainWindow::AnimatedDocks | QMainWindow::AllowNestedDocks);
    m_clock.start();
    m_replotTimer.setSingleShot(true);
    m_replotTimer.setInterval(ReplotIntervalMs);
    connect(&m_replotTimer, &QTimer::timeout, this, &GenericChart::replotDirty);

    for (int i = 0; i < std::max(1, plotCount); ++i) {
        auto p = std::make_unique<Plot>(m_historySize);
        p->index = i;
        p->plot = new QwtPlot;
        p->plot->setObjectName(QString::number(i));
        p->plot->setAutoReplot(false);
        p->plot->setCanvasBackground(Qt::white);
        p->plot->setMinimumSize(120, 80);

        p->curve = new QwtPlotCurve;
        p->curve->setItemAttribute(QwtPlotItem::AutoScale, false);
        p->curve->setItemInterest(QwtPlotItem::ScaleInterest, true);
        p->curve->setRenderHint(QwtPlotItem::RenderAntialiased, true);
        p->curve->setPaintAttribute(QwtPlotCurve::FilterPoints, true);
        p->curve->setPen(p->colour, 1.5);
        auto *series = new ValueOverTimeSeries(&p->data);
        series->setCanvas(p->plot->canvas());
        p->curve->setData(series);
        p->curve->attach(p->plot);

        p->valueMarker = new QwtPlotMarker;
        p->valueMarker->setLineStyle(QwtPlotMarker::HLine);
        p->valueMarker->setLinePen(QColor(128, 128, 128), 1.0, Qt::DashLine);
        p->valueMarker->setLabelAlignment(Qt::AlignLeft | Qt::AlignTop);
        p->valueMarker->setZ(30);
        p->valueMarker->setVisible(false);
        p->valueMarker->attach(p->plot);

        p->graphText = new QwtPlotTextLabel;
        p->graphText->setZ(31);
        p->graphText->attach(p->plot);
        p->signalText = new QwtPlotTextLabel;
        p->signalText->setZ(31);
        p->signalText->attach(p->plot);

        p->panner = new QwtPlotPanner(p->plot->canvas());
        connect(p->panner, &QwtPlotPanner::panned, this, [this, i](int dx, int) {
            Plot *pl = plotAt(i);
            if (pl && dx != 0 && !pl->independent)
                pl->follow = false;
        });
        p->magnifier = new QwtPlotMagnifier(p->plot->canvas());
        p->magnifier->setAxisEnabled(QwtPlot::xBottom, false);

        connect(p->plot->axisWidget(QwtPlot::yLeft), &QwtScaleWidget::scaleDivChanged,
                this, [this, i] {
                    // Fires while the plots are still being built, before this one is stored.
                    if (Plot *pl = plotAt(i))
                        keepValueAxisInLimits(*pl);
                });
        p->plot->canvas()->installEventFilter(this);

        p->dock = new DockChartItem(i, p->plot, this);
        applyScales(*p);
        m_plots.push_back(std::move(p));
    }
    relayoutDocks();
}

GenericChart::~GenericChart()
{
    // The curves read the series in place: remove the plots before the data.
    for (auto &p : m_plots)
        delete p->dock;
}

GenericChart::Plot *GenericChart::plotAt(int plot) const
{
    if (plot < 0 || plot >= static_cast<int>(m_plots.size()))
        return nullptr;
    return m_plots[static_cast<size_t>(plot)].get();
}

int GenericChart::nPlotCount() const
{
    return static_cast<int>(m_plots.size());
}

QwtPlot *GenericChart::poPlot(int plot) const
{
    Plot *p = plotAt(plot);
    return p ? p->plot : nullptr;
}

DockChartItem *GenericChart::getDockChartItem(int plot) const
{
    Plot *p = plotAt(plot);
    return p ? p->dock : nullptr;
}

const ValueOverTime *GenericChart::getData(int plot) const
{
    Plot *p = plotAt(plot);
    return p ? &p->data : nullptr;
}

void GenericChart::addRow(const QList<int> &plots)
{
    QList<int> row;
    for (int i : plots) {
        if (!plotAt(i))
            continue;
        for (QList<int> &other : m_rows)
            other.removeAll(i);
        if (!row.contains(i))
            row.append(i);
    }
    m_rows.erase(std::remove_if(m_rows.begin(), m_rows.end(),
                                [](const QList<int> &r) { return r.isEmpty(); }),
                 m_rows.end());
    if (!row.isEmpty())
        m_rows.append(row);
    relayoutDocks();
}

void GenericChart::relayoutDocks()
{
    QList<QList<int>> rows = m_rows;
    QList<int> rest;
    for (const auto &p : m_plots) {
        bool placed = false;
        for (const QList<int> &row : rows)
            placed = placed || row.contains(p->index);
        if (!placed)
            rest.append(p->index);
    }
    if (!rest.isEmpty())
        rows.append(rest);

    QVector<bool> hidden;
    for (const auto &p : m_plots) {
        hidden.append(explicitlyHidden(p->dock));
        removeDockWidget(p->dock);
    }
    for (const QList<int> &row : rows) {
        DockChartItem *head = plotAt(row.first())->dock;
        addDockWidget(Qt::TopDockWidgetArea, head, Qt::Vertical);
        DockChartItem *previous = head;
        for (int k = 1; k < row.size(); ++k) {
            DockChartItem *dock = plotAt(row[k])->dock;
            splitDockWidget(previous, dock, Qt::Horizontal);
            previous = dock;
        }
    }
    for (const auto &p : m_plots)
        p->dock->setVisible(!hidden[p->index]);
}

// Titles and texts ------------------------------------------------------------

QString GenericChart::dockTitle(const Plot &p) const
{
    return p.unitShown ? p.title + p.unit : p.title;
}

void GenericChart::setPlotTitle(int plot, const QString &title, bool titleShown,
                                const QString &unit, bool unitShown)
{
    Plot *p = plotAt(plot);
    if (!p)
        return;
    p->title = title;
    p->titleShown = titleShown;
    p->unit = unit;
    p->unitShown = unitShown;
    p->curve->setTitle(title);
    p->dock->setWindowTitle(dockTitle(*p));
    updateTexts(*p);
    markDirty(plot);
}

QString GenericChart::plotTitle(int plot) const
{
    Plot *p = plotAt(plot);
    return p ? p->title : QString();
}

void GenericChart::translateDockTitleBarTexts()
{
    for (const auto &p : m_plots)
        p->dock->setWindowTitle(dockTitle(*p));
}

void GenericChart::setPlotColor(int plot, const QColor &line, const QColor &fill)
{
    Plot *p = plotAt(plot);
    if (!p)
        return;
    p->colour = line;
    p->curve->setPen(line, 1.5);
    p->curve->setBrush(fill.isValid() ? QBrush(fill) : QBrush());
    for (Plot::XLine &l : p->xLines) {
        l.colour = line;
        l.stick->setPen(line, 4.0);
    }
    markDirty(plot);
}

void GenericChart::vSetValueMarkerCustomTextGraph(int plot, const QString &text)
{
    Plot *p = plotAt(plot);
    if (!p || p->customText == text)
        return;
    p->customText = text;
    markDirty(plot);
}

void GenericChart::vSetValueMarkerVisible(int plot, bool visible)
{
    if (Plot *p = plotAt(plot)) {
        p->valueMarkerVisible = visible;
        updateTexts(*p);
        markDirty(plot);
    }
}

void GenericChart::setValuePrecision(int plot, int decimals)
{
    if (Plot *p = plotAt(plot)) {
        p->precision = std::max(0, decimals);
        markDirty(plot);
    }
}

void GenericChart::vSetGraphTextVisible(int plot, bool visible)
{
    if (Plot *p = plotAt(plot)) {
        p->graphTextVisible = visible;
        updateTexts(*p);
        markDirty(plot);
    }
}

void GenericChart::vSetSignalTextVisible(int plot, bool visible)
{
    if (Plot *p = plotAt(plot)) {
        p->signalTextVisible = visible;
        updateTexts(*p);
        markDirty(plot);
    }
}

bool GenericChart::isValueMarkerVisible(int plot) const
{
    Plot *p = plotAt(plot);
    return p && p->valueMarkerVisible;
}

bool GenericChart::isGraphTextVisible(int plot) const
{
    Plot *p = plotAt(plot);
    return p && p->graphTextVisible;
}

bool GenericChart::isSignalTextVisible(int plot) const
{
    Plot *p = plotAt(plot);
    return p && p->signalTextVisible;
}

QString GenericChart::valueMarkerText(int plot) const
{
    Plot *p = plotAt(plot);
    if (!p)
        return QString();
    if (!p->customText.isEmpty())
        return p->customText;
    if (p->data.isEmpty())
        return QString();
    return QLocale::c().toString(p->data.lastY(), 'f', p->precision);
}

void GenericChart::updateTexts(Plot &p)
{
    const QString value = valueMarkerText(p.index);
    const bool hasValue = !value.isEmpty() && !p.independent;

    p.valueMarker->setVisible(p.valueMarkerVisible && hasValue);
    if (hasValue) {
        const double y = p.data.isEmpty() ? 0.0 : p.data.lastY();
        const QwtScaleDiv &div = p.plot->axisScaleDiv(QwtPlot::yLeft);
        const double lo = std::min(div.lowerBound(), div.upperBound());
        const double hi = std::max(div.lowerBound(), div.upperBound());
        // Off-scale values (special codes) keep their label on the edge.
        p.valueMarker->setYValue(std::clamp(y, lo, hi));
        p.valueMarker->setLabel(QwtText(value));
    }

    p.graphText->setText(cornerText(p.titleShown ? p.title : QString(),
                                    Qt::AlignLeft | Qt::AlignTop));
    p.graphText->setVisible(p.graphTextVisible && p.titleShown && !p.title.isEmpty());

    const QString signal = value.isEmpty() ? QString()
                                           : (p.unitShown ? value + p.unit : value);
    p.signalText->setText(cornerText(signal, Qt::AlignRight | Qt::AlignTop));
    p.signalText->setVisible(p.signalTextVisible && hasValue);
}

// Scales ---------------------------------------------------------------------

void GenericChart::setTimelineScale(double minimum, double maximum)
{
    if (minimum > maximum)
        std::swap(minimum, maximum);
    m_minSpan = std::max(minimum, 1e-3);
    m_maxSpan = std::max(maximum, m_minSpan);
    m_span = std::clamp(m_span, m_minSpan, m_maxSpan);
    for (const auto &p : m_plots) {
        if (!p->independent) {
            applyScales(*p);
            markDirty(p->index);
        }
    }
}

double GenericChart::timelineSpan() const
{
    return m_span;
}

void GenericChart::setScale(int plot, double minimum, double maximum)
{
    Plot *p = plotAt(plot);
    if (!p)
        return;
    if (minimum > maximum)
        std::swap(minimum, maximum);
    p->yMin = minimum;
    p->yMax = maximum;
    applyScales(*p);
    markDirty(plot);
}

double GenericChart::scaleMinimum(int plot) const
{
    Plot *p = plotAt(plot);
    return p ? p->yMin : 0.0;
}

double GenericChart::scaleMaximum(int plot) const
{
    Plot *p = plotAt(plot);
    return p ? p->yMax : 0.0;
}

void GenericChart::setNoNegativeValues(int plot, bool on)
{
    if (Plot *p = plotAt(plot)) {
        p->noNegative = on;
        keepValueAxisInLimits(*p);
        markDirty(plot);
    }
}

void GenericChart::setPanOffsets(int plot, double belowMinimum, double aboveMaximum)
{
    if (Plot *p = plotAt(plot)) {
        p->panBelow = std::max(0.0, belowMinimum);
        p->panAbove = std::max(0.0, aboveMaximum);
        keepValueAxisInLimits(*p);
    }
}

void GenericChart::setHistorySize(int samples)
{
    m_historySize = std::max(1, samples);
    for (const auto &p : m_plots)
        p->data.setCapacity(m_historySize);
}

void GenericChart::applyScales(Plot &p)
{
    m_clampingAxis = true;
    p.plot->setAxisScale(QwtPlot::yLeft, p.yMin, p.yMax);
    if (p.independent) {
        p.plot->setAxisScale(QwtPlot::xBottom, p.xMin, p.xMax, p.xStep);
    } else {
        const double right = p.data.isEmpty() ? m_span : std::max(m_span, p.data.lastX());
        p.plot->setAxisScale(QwtPlot::xBottom, right - m_span, right);
    }
    p.plot->updateAxes();
    m_clampingAxis = false;
}

void GenericChart::keepValueAxisInLimits(Plot &p)
{
    if (m_clampingAxis)
        return;
    const QwtScaleDiv &div = p.plot->axisScaleDiv(QwtPlot::yLeft);
    double lo = div.lowerBound();
    double hi = div.upperBound();
    double floor = p.yMin - p.panBelow;
    if (p.noNegative)
        floor = std::max(0.0, floor);
    const double ceiling = std::max(p.yMax + p.panAbove, floor);
    const double width = hi - lo;
    if (width >= ceiling - floor) {
        if (lo >= floor)
            return;
        lo = floor;
        hi = floor + width;
    } else if (lo < floor) {
        lo = floor;
        hi = floor + width;
    } else if (hi > ceiling) {
        hi = ceiling;
        lo = ceiling - width;
    } else {
        return;
    }
    m_clampingAxis = true;
    p.plot->setAxisScale(QwtPlot::yLeft, lo, hi);
    m_clampingAxis = false;
    markDirty(p.index);
}

// Independent plots ----------------------------------------------------------

void GenericChart::setIndependentPlot(int plot, bool independent, bool showXValues)
{
    Plot *p = plotAt(plot);
    if (!p)
        return;
    p->independent = independent;
    p->showXValues = showXValues;
    p->curve->setVisible(!independent);
    p->magnifier->setAxisEnabled(QwtPlot::xBottom, independent);
    p->magnifier->setAxisEnabled(QwtPlot::yLeft, !independent);
    for (Plot::XLine &l : p->xLines)
        l.label->setVisible(independent && showXValues);
    applyScales(*p);
    updateTexts(*p);
    markDirty(plot);
}

bool GenericChart::isIndependentPlot(int plot) const
{
    Plot *p = plotAt(plot);
    return p && p->independent;
}

void GenericChart::setPlotAxisScale(int plot, double minimum, double maximum, double step)
{
    Plot *p = plotAt(plot);
    if (!p)
        return;
    if (minimum > maximum)
        std::swap(minimum, maximum);
    p->xMin = minimum;
    p->xMax = maximum;
    p->xStep = std::max(0.0, step);
    if (p->independent)
        applyScales(*p);
    markDirty(plot);
}

double GenericChart::xMaximum(int plot) const
{
    Plot *p = plotAt(plot);
    if (!p)
        return 0.0;
    return p->plot->axisScaleDiv(QwtPlot::xBottom).upperBound();
}

void GenericChart::setXMaximum(int plot, double maximum)
{
    if (Plot *p = plotAt(plot))
        setPlotAxisScale(plot, p->xMin, maximum, p->xStep);
}

void GenericChart::createChartRectangles(int plot, int count)
{
    Plot *p = plotAt(plot);
    if (!p)
        return;
    for (Plot::XLine &l : p->xLines) {
        l.stick->detach();
        delete l.stick;
        l.label->detach();
        delete l.label;
    }
    p->xLines.clear();
    for (int k = 0; k < std::max(0, count); ++k) {
        Plot::XLine l;
        l.colour = p->colour;
        l.stick = new QwtPlotCurve;
        l.stick->setStyle(QwtPlotCurve::Sticks);
        l.stick->setBaseline(0.0);
        l.stick->setItemAttribute(QwtPlotItem::AutoScale, false);
        l.stick->setPen(l.colour, 4.0);
        l.stick->setZ(20);
        l.stick->setSamples(QVector<QPointF>{QPointF(0.0, 0.0)});
        l.stick->attach(p->plot);
        l.label = new QwtPlotMarker;
        l.label->setLabelAlignment(Qt::AlignHCenter | Qt::AlignTop);
        l.label->setValue(0.0, 0.0);
        l.label->setZ(21);
        l.label->setVisible(p->independent && p->showXValues);
        l.label->attach(p->plot);
        p->xLines.push_back(l);
    }
    markDirty(plot);
}

void GenericChart::vUpdateXLines(int plot, const QVector<double> &positions,
                                 const QVector<double> &heights)
{
    Plot *p = plotAt(plot);
    if (!p)
        return;
    for (size_t k = 0; k < p->xLines.size(); ++k) {
        Plot::XLine &l = p->xLines[k];
        const int i = static_cast<int>(k);
        l.x = i < positions.size() ? positions[i] : 0.0;
        l.height = i < heights.size() ? heights[i] : 0.0;
        l.stick->setSamples(QVector<QPointF>{QPointF(l.x, l.height)});
        l.label->setValue(l.x, l.height);
        l.label->setLabel(QwtText(QLocale::c().toString(l.x, 'f', 1)));
    }
    markDirty(plot);
}

void GenericChart::vSetXLinesPen(int line, const QColor &colour)
{
    for (const auto &p : m_plots) {
        if (p->xLines.empty())
            continue;
        for (size_t k = 0; k < p->xLines.size(); ++k) {
            Plot::XLine &l = p->xLines[k];
            l.colour = static_cast<int>(k) == line ? colour : p->colour;
            l.stick->setPen(l.colour, 4.0);
        }
        markDirty(p->index);
    }
}

int GenericChart::xLineCount(int plot) const
{
    Plot *p = plotAt(plot);
    return p ? static_cast<int>(p->xLines.size()) : 0;
}

double GenericChart::xLinePosition(int plot, int line) const
{
    Plot *p = plotAt(plot);
    return p && line >= 0 && line < xLineCount(plot) ? p->xLines[size_t(line)].x : 0.0;
}

double GenericChart::xLineHeight(int plot, int line) const
{
    Plot *p = plotAt(plot);
    return p && line >= 0 && line < xLineCount(plot) ? p->xLines[size_t(line)].height : 0.0;
}

QColor GenericChart::xLineColor(int plot, int line) const
{
    Plot *p = plotAt(plot);
    return p && line >= 0 && line < xLineCount(plot) ? p->xLines[size_t(line)].colour
                                                      : QColor();
}

// Data -------------------------------------------------------------------------

double GenericChart::currentTime() const
{
    return m_timeOffset + m_clock.nsecsElapsed() / 1e9;
}

void GenericChart::appendSample(int plot, double value, bool stampNow, double lowerLimit,
                                bool autoScale, double x, double gapSeconds, bool fillGap)
{
    Plot *p = plotAt(plot);
    if (!p || std::isnan(value) || value < lowerLimit)
        return;
    ValueOverTime &d = p->data;
    if (stampNow)
        x = currentTime();
    else if (x < 0.0)
        x = d.isEmpty() ? 0.0 : d.lastX() + 1.0;
    if (!d.isEmpty())
        x = std::max(x, d.lastX());

    if (fillGap && !d.isEmpty()) {
        const double gap = gapSeconds > 0.0 ? gapSeconds : 1.0;
        if (x - d.lastX() > gap)
            d.append(x, d.lastY());
    }
    d.append(x, value);

    if (autoScale && std::isfinite(value) && (value < p->yMin || value > p->yMax)) {
        p->yMin = std::min(p->yMin, value);
        p->yMax = std::max(p->yMax, value);
        applyScales(*p);
    }
    markDirty(plot);
}

void GenericChart::vAppendData(int plot, double value, bool stampNow, double lowerLimit,
                               bool autoScale, double x, double gapSeconds)
{
    appendSample(plot, value, stampNow, lowerLimit, autoScale, x, gapSeconds, false);
}

void GenericChart::vAppendMultiFake(int plot, double value, bool stampNow,
                                    double lowerLimit, bool autoScale, double x,
                                    double gapSeconds)
{
    appendSample(plot, value, stampNow, lowerLimit, autoScale, x, gapSeconds, true);
}

void GenericChart::vClearData()
{
    for (const auto &p : m_plots)
        vClearPlot(p->index);
}

void GenericChart::vClearPlot(int plot)
{
    if (Plot *p = plotAt(plot)) {
        p->data.clear();
        p->customText.clear();
        markDirty(plot);
    }
}

void GenericChart::vScaleData(int plot, double factor)
{
    if (Plot *p = plotAt(plot)) {
        p->data.scaleValues(factor);
        markDirty(plot);
    }
}

QString GenericChart::dataToString(int plot) const
{
    Plot *p = plotAt(plot);
    return p ? p->data.toString() : QString();
}

bool GenericChart::setDataFromString(int plot, const QString &text, QChar separator)
{
    Plot *p = plotAt(plot);
    if (!p || !p->data.fromString(text, separator))
        return false;
    // New samples must come after the loaded ones.
    if (!p->data.isEmpty() && p->data.lastX() > currentTime())
        m_timeOffset += p->data.lastX() - currentTime();
    p->follow = true;
    applyScales(*p);
    markDirty(plot);
    return true;
}

// Limit lines ----------------------------------------------------------------

void GenericChart::addLimitLine(int plot, double value, const QColor &colour,
                                const QString &label)
{
    Plot *p = plotAt(plot);
    if (!p)
        return;
    auto *marker = new QwtPlotMarker;
    marker->setLineStyle(QwtPlotMarker::HLine);
    marker->setLinePen(colour, 1.0, Qt::DashDotLine);
    marker->setYValue(value);
    marker->setLabel(QwtText(label));
    marker->setLabelAlignment(Qt::AlignRight | Qt::AlignBottom);
    marker->setZ(25);
    marker->attach(p->plot);
    p->limitLines.append(marker);
    markDirty(plot);
}

bool GenericChart::hasLimitLines() const
{
    for (const auto &p : m_plots)
        if (!p->limitLines.isEmpty())
            return true;
    return false;
}

void GenericChart::clearLimitLines()
{
    for (const auto &p : m_plots) {
        if (p->limitLines.isEmpty())
            continue;
        for (QwtPlotMarker *m : p->limitLines) {
            m->detach();
            delete m;
        }
        p->limitLines.clear();
        markDirty(p->index);
    }
}

// View ----------------------------------------------------------------------

void GenericChart::UpdateMinimumHeightsCustomDocksK4KR(int height, int width, int count,
                                                       int reserved)
{
    const int perDock = std::max(MinimumDockHeight, (height - reserved) / std::max(1, count));
    const int minWidth = std::clamp(width / 4, 0, 150);
    for (const auto &p : m_plots) {
        if (explicitlyHidden(p->dock))
            continue;
        p->dock->setMinimumHeight(perDock);
        p->dock->setMinimumWidth(minWidth);
    }
}

void GenericChart::jumpToPlottingArea()
{
    for (const auto &p : m_plots) {
        p->follow = true;
        applyScales(*p);
        markDirty(p->index);
    }
}

void GenericChart::axisChanged(int plot)
{
    if (Plot *p = plotAt(plot)) {
        applyScales(*p);
        updateTexts(*p);
        p->plot->replot();
        ++m_replots;
    }
}

void GenericChart::resetZoom(int plot)
{
    if (Plot *p = plotAt(plot)) {
        p->follow = true;
        applyScales(*p);
        markDirty(plot);
    }
}

bool GenericChart::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonDblClick && type != QEvent::Wheel)
        return QMainWindow::eventFilter(watched, event);
    Plot *p = nullptr;
    for (const auto &candidate : m_plots)
        if (candidate->plot->canvas() == watched)
            p = candidate.get();
    if (!p)
        return QMainWindow::eventFilter(watched, event);

    if (type == QEvent::MouseButtonDblClick) {
        if (static_cast<QMouseEvent *>(event)->button() != Qt::LeftButton)
            return false;
        if (p->independent) {
            emit IndependentPlotDoubleClick(p->index);
        } else {
            resetZoom(p->index);
            emit vSignalZommResetForNoiseLine();
        }
        return false;
    }

    auto *wheel = static_cast<QWheelEvent *>(event);
    if (p->independent) {
        // The magnifier zooms after us; report once it has.
        const int index = p->index;
        QTimer::singleShot(0, this, [this, index] { emit IndependentPlotZoomed(index); });
        return false;
    }
    if (wheel->modifiers() & Qt::ControlModifier) {
        // Ctrl + wheel changes the visible time span of all time plots.
        const double factor = wheel->angleDelta().y() > 0 ? 0.8 : 1.25;
        m_span = std::clamp(m_span * factor, m_minSpan, m_maxSpan);
        for (const auto &other : m_plots) {
            if (!other->independent) {
                applyScales(*other);
                markDirty(other->index);
            }
        }
        return true;
    }
    return false;
}

// Drawing ---------------------------------------------------------------------

void GenericChart::markDirty(int plot)
{
    if (Plot *p = plotAt(plot))
        p->dirty = true;
    if (!m_replotTimer.isActive())
        m_replotTimer.start();
}

void GenericChart::updateLiveView(Plot &p)
{
    if (p.independent || !p.follow || p.data.isEmpty())
        return;
    const double right = std::max(m_span, p.data.lastX());
    const QwtScaleDiv &div = p.plot->axisScaleDiv(QwtPlot::xBottom);
    if (div.upperBound() != right || div.lowerBound() != right - m_span)
        p.plot->setAxisScale(QwtPlot::xBottom, right - m_span, right);
}

void GenericChart::replotDirty()
{
    for (const auto &p : m_plots) {
        if (!p->dirty)
            continue;
        p->dirty = false;
        updateLiveView(*p);
        updateTexts(*p);
        p->plot->replot();
        ++m_replots;
    }
}

void GenericChart::flush()
{
    m_replotTimer.stop();
    replotDirty();
}

} // namespace Charts
} // namespace Utils
