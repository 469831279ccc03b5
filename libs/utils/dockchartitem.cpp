#include <utils/dockchartitem.h>

#include <qwt_plot.h>

namespace Utils {
namespace Charts {

DockChartItem::DockChartItem(int index, QwtPlot *plot, QWidget *parent)
    : QDockWidget(parent), m_index(index), m_plot(plot)
{
    setObjectName(QStringLiteral("chartDock%1").arg(index));
    setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetClosable
                | QDockWidget::DockWidgetFloatable);
    setAllowedAreas(Qt::AllDockWidgetAreas);
    setWidget(plot);
}

} // namespace Charts
} // namespace Utils
