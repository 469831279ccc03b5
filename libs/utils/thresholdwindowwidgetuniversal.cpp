#include <utils/thresholdwindowwidgetuniversal.h>

#include <QLocale>
#include <QPen>
#include <QStringList>
#include <qwt_plot.h>
#include <qwt_plot_zoneitem.h>

#include <algorithm>

namespace Utils {

ThresholdWindowWidgetUniversal::ThresholdWindowWidgetUniversal(QwtPlot *plot,
                                                               int componentIndex,
                                                               QObject *parent, int lines)
    : ThresholdWidgetBase(plot, componentIndex, parent)
{
    const QColor colour(0, 97, 158);
    for (int line = 0; line < std::max(1, lines); ++line) {
        addMark(leftMarkId(line), false, colour, tr("Near"));
        addMark(rightMarkId(line), false, colour, tr("Far"));
        QwtPlotZoneItem *zone = nullptr;
        if (plot) {
            zone = new QwtPlotZoneItem;
            zone->setOrientation(Qt::Vertical);
            QColor fill = colour;
            fill.setAlpha(25);
            zone->setBrush(fill);
            zone->setPen(QPen(Qt::NoPen));
            zone->setZ(5);
            zone->setVisible(false);
            zone->attach(plot);
        }
        m_zones.push_back(zone);
    }
}

ThresholdWindowWidgetUniversal::~ThresholdWindowWidgetUniversal()
{
    if (!plot())
        return; // the plot already deleted its items
    for (QwtPlotZoneItem *zone : m_zones) {
        zone->detach();
        delete zone;
    }
}

void ThresholdWindowWidgetUniversal::setLeftMark(int line, double value)
{
    if (!validLine(line))
        return;
    setMarkValue(leftMarkId(line), value);
    setMarkShown(leftMarkId(line), true);
}

void ThresholdWindowWidgetUniversal::setRightMark(int line, double value)
{
    if (!validLine(line))
        return;
    setMarkValue(rightMarkId(line), value);
    setMarkShown(rightMarkId(line), true);
}

void ThresholdWindowWidgetUniversal::showLine(int line, bool shown)
{
    if (!validLine(line))
        return;
    setMarkShown(leftMarkId(line), shown);
    setMarkShown(rightMarkId(line), shown);
}

bool ThresholdWindowWidgetUniversal::isLineShown(int line) const
{
    return validLine(line) && isMarkShown(leftMarkId(line)) && isMarkShown(rightMarkId(line));
}

double ThresholdWindowWidgetUniversal::constrain(unsigned int id, double value) const
{
    const bool left = (id - FirstLeftMark) % 2 == 0;
    const unsigned int partner = left ? id + 1 : id - 1;
    if (!isMarkShown(partner))
        return value;
    return left ? std::min(value, markValue(partner)) : std::max(value, markValue(partner));
}

QString ThresholdWindowWidgetUniversal::windowSizeText() const
{
    QStringList parts;
    for (int line = 0; line < lineCount(); ++line)
        if (isLineShown(line))
            parts << QLocale::c().toString(rightMark(line) - leftMark(line), 'f', 0);
    return parts.join(QStringLiteral("  "));
}

void ThresholdWindowWidgetUniversal::marksChanged()
{
    for (int line = 0; line < lineCount(); ++line) {
        QwtPlotZoneItem *zone = m_zones[static_cast<size_t>(line)];
        if (!zone)
            continue;
        zone->setVisible(isLineShown(line));
        zone->setInterval(std::min(leftMark(line), rightMark(line)),
                          std::max(leftMark(line), rightMark(line)));
    }
}

} // namespace Utils
