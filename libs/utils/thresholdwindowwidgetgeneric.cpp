#include <utils/thresholdwindowwidgetgeneric.h>

#include <QLocale>
#include <QPen>
#include <qwt_plot.h>
#include <qwt_plot_zoneitem.h>

#include <algorithm>
#include <limits>

namespace Utils {

namespace {

QwtPlotZoneItem *makeZone(QwtPlot *plot, const QColor &colour)
{
    if (!plot)
        return nullptr;
    auto *zone = new QwtPlotZoneItem;
    zone->setOrientation(Qt::Horizontal);
    QColor fill = colour;
    fill.setAlpha(40);
    zone->setBrush(fill);
    zone->setPen(QPen(Qt::NoPen));
    zone->setZ(35);
    zone->setVisible(false);
    zone->attach(plot);
    return zone;
}

} // namespace

ThresholdWindowWidgetGeneric::ThresholdWindowWidgetGeneric(QwtPlot *plot, int componentIndex,
                                                           QObject *parent)
    : ThresholdWidgetBase(plot, componentIndex, parent)
{
    const QColor window(0, 97, 158);
    const QColor middle(79, 166, 0);
    addMark(LowerMark, true, window, QString());
    addMark(UpperMark, true, window, QString());
    addMark(MiddleMark, true, middle, QString());
    addMark(MiddleMark1, true, middle.darker(130), QString());
    retranslate();
    m_lower.zone = makeZone(plot, window);
    m_lower.below = true;
    m_upper.zone = makeZone(plot, window);
    m_middle.zone = makeZone(plot, middle);
    m_middle.below = true;
}

ThresholdWindowWidgetGeneric::~ThresholdWindowWidgetGeneric()
{
    if (!plot())
        return; // the plot already deleted its items
    for (Band *band : {&m_lower, &m_upper, &m_middle}) {
        band->zone->detach();
        delete band->zone;
    }
}

void ThresholdWindowWidgetGeneric::retranslate()
{
    setMarkLabel(LowerMark, tr("Lower"));
    setMarkLabel(UpperMark, tr("Upper"));
    setMarkLabel(MiddleMark, tr("Threshold"));
    setMarkLabel(MiddleMark1, tr("Threshold 2"));
}

void ThresholdWindowWidgetGeneric::showLowerMark(bool shown) { setMarkShown(LowerMark, shown); }
void ThresholdWindowWidgetGeneric::showUpperMark(bool shown) { setMarkShown(UpperMark, shown); }
void ThresholdWindowWidgetGeneric::showMiddleMark(bool shown) { setMarkShown(MiddleMark, shown); }
void ThresholdWindowWidgetGeneric::showMiddleMark1(bool shown) { setMarkShown(MiddleMark1, shown); }
void ThresholdWindowWidgetGeneric::setLowerMark(double value) { setMarkValue(LowerMark, value); }
void ThresholdWindowWidgetGeneric::setUpperMark(double value) { setMarkValue(UpperMark, value); }
void ThresholdWindowWidgetGeneric::setMiddleMark(double value) { setMarkValue(MiddleMark, value); }
void ThresholdWindowWidgetGeneric::setMiddleMark1(double value) { setMarkValue(MiddleMark1, value); }

void ThresholdWindowWidgetGeneric::setNoise(double width, int mark, bool symmetric)
{
    width = std::max(0.0, width);
    if (mark < 0 || mark == static_cast<int>(LowerMark)) {
        m_lower.width = width;
        m_lower.symmetric = symmetric;
    }
    if (mark < 0 || mark == static_cast<int>(UpperMark)) {
        m_upper.width = width;
        m_upper.symmetric = symmetric;
    }
    refresh();
}

void ThresholdWindowWidgetGeneric::setNoiseMiddleMark(double width, bool shown)
{
    m_middle.width = std::max(0.0, width);
    m_middle.shown = shown;
    refresh();
}

void ThresholdWindowWidgetGeneric::setNoiseOrientation(bool lowerBelow, bool upperBelow,
                                                       bool middleBelow)
{
    m_lower.below = lowerBelow;
    m_upper.below = upperBelow;
    m_middle.below = middleBelow;
    refresh();
}

double ThresholdWindowWidgetGeneric::noiseWidth(int mark) const
{
    if (mark == static_cast<int>(LowerMark))
        return m_lower.width;
    if (mark == static_cast<int>(UpperMark))
        return m_upper.width;
    return m_middle.width;
}

double ThresholdWindowWidgetGeneric::constrain(unsigned int id, double value) const
{
    // Lower <= middle <= upper among the shown marks; the second middle mark
    // is free.
    const double inf = std::numeric_limits<double>::infinity();
    double low = -inf;
    double high = inf;
    auto below = [&](unsigned int other) {
        if (isMarkShown(other))
            low = std::max(low, markValue(other));
    };
    auto above = [&](unsigned int other) {
        if (isMarkShown(other))
            high = std::min(high, markValue(other));
    };
    switch (id) {
    case LowerMark:
        above(MiddleMark);
        above(UpperMark);
        break;
    case MiddleMark:
        below(LowerMark);
        above(UpperMark);
        break;
    case UpperMark:
        below(LowerMark);
        below(MiddleMark);
        break;
    default:
        return value;
    }
    if (low > high)
        return value;
    return std::clamp(value, low, high);
}

QString ThresholdWindowWidgetGeneric::windowSizeText() const
{
    if (!isLowerMarkShown() || !isUpperMarkShown())
        return QString();
    return QLocale::c().toString(upperMark() - lowerMark(), 'f', 0);
}

void ThresholdWindowWidgetGeneric::updateBand(Band &band, unsigned int mark)
{
    if (!band.zone)
        return;
    const bool visible = band.shown && band.width > 0.0 && isMarkShown(mark);
    band.zone->setVisible(visible);
    if (!visible)
        return;
    const double v = markValue(mark);
    if (band.symmetric)
        band.zone->setInterval(v - band.width / 2.0, v + band.width / 2.0);
    else if (band.below)
        band.zone->setInterval(v - band.width, v);
    else
        band.zone->setInterval(v, v + band.width);
}

void ThresholdWindowWidgetGeneric::marksChanged()
{
    updateBand(m_lower, LowerMark);
    updateBand(m_upper, UpperMark);
    updateBand(m_middle, MiddleMark);
}

} // namespace Utils
