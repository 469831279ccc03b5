#ifndef UTILS_DOCKCHARTITEM_H
#define UTILS_DOCKCHARTITEM_H

#include <QDockWidget>

class QwtPlot;

namespace Utils {
namespace Charts {

// One plot of a GenericChart in its own dock; toggleViewAction() shows and
// hides it.
class DockChartItem : public QDockWidget
{
    Q_OBJECT
public:
    DockChartItem(int index, QwtPlot *plot, QWidget *parent = nullptr);

    int index() const { return m_index; }
    QwtPlot *plot() const { return m_plot; }

private:
    int m_index;
    QwtPlot *m_plot;
};

} // namespace Charts
} // namespace Utils

#endif
