// The chart part of the window's construction: four plots, their dock
// toggles, the threshold markers and the output selector.

#include "window/sensorwindow.h"

#include "window/sensorwindowprivate.h"
#include "window/viewpositions.h"
#include "window/sensorwindowui.h"

#include <utils/genericchart.h>
#include <utils/thresholdmultimanager.h>
#include <utils/thresholdwindowwidgetgeneric.h>
#include <utils/thresholdwindowwidgetuniversal.h>

#include <qwt_plot.h>

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QFrame>
#include <QToolBar>
#include <QVBoxLayout>

namespace DirazSensorPlugin {
namespace Core {

void SensorWindow::vBuildCharts()
{
    using Utils::Charts::GenericChart;
    auto *chart = new GenericChart(ui->frame, PlotCount);
    d->chart = chart;
    chart->setObjectName(QStringLiteral("distanceChart"));
    auto *layout = new QVBoxLayout(ui->frame);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(chart);

    chart->setScale(SpeedPlot, -4000.0, 4000.0);
    chart->setScale(ObjectPlot, 0.0, 300.0);
    chart->setNoNegativeValues(ObjectPlot, true);
    chart->vSetValueMarkerVisible(ObjectPlot, false);
    chart->setScale(IntensityPlot, 0.0, 255.0);
    chart->setScale(DistancePlot, 0.0, 10005.0);
    chart->setNoNegativeValues(DistancePlot, true);
    chart->setValuePrecision(DistancePlot, 1);
    chart->setPanOffsets(DistancePlot, 160.0, 350.0);

    const QColor distance(0, 0, 188);
    const QColor other(110, 110, 188);
    auto translucent = [](QColor c) { c.setAlpha(20); return c; };
    chart->setPlotColor(DistancePlot, distance, translucent(distance));
    chart->setPlotColor(SpeedPlot, other, translucent(other));
    chart->setPlotColor(IntensityPlot, other, translucent(other));

    chart->addRow({DistancePlot, SpeedPlot, IntensityPlot});
    chart->addRow({ObjectPlot});
    for (int plot = 0; plot < PlotCount; ++plot)
        chart->poPlot(plot)->setObjectName(QString::number(plot));

    static const char *const dockIcons[3] = {"dock_frequency", "Process_data_new-01", "dock_intensity"};
    for (int plot = 0; plot < 3; ++plot) {
        auto *spacer = new QWidget(ui->fileToolBar);
        spacer->setFixedSize(2, 12);
        ui->fileToolBar->addWidget(spacer);
        QAction *toggle = chart->getDockChartItem(plot)->toggleViewAction();
        toggle->setIcon(QIcon(QStringLiteral(":/icons/icons/%1.svg").arg(QLatin1String(dockIcons[plot]))));
        ui->fileToolBar->addAction(toggle);
        connect(toggle, &QAction::triggered, this, &SensorWindow::actionDock);
    }

    for (int plot = 0; plot < PlotCount; ++plot) {
        auto *marker = new Utils::ThresholdWindowWidgetUniversal(chart->poPlot(plot), plot, this);
        d->rangeMarkers.append(marker);
        connect(marker, &Utils::ThresholdWindowWidgetUniversal::emitValueChanged, this,
                &SensorWindow::chartThresholdChanged);
    }
    d->universalThreshold = d->rangeMarkers.last();
    auto *switching = new Utils::ThresholdWindowWidgetGeneric(chart->poPlot(DistancePlot), DistancePlot, this);
    d->thresholdMarkers.append(switching);
    connect(switching, &Utils::ThresholdWindowWidgetGeneric::emitValueChanged, this,
            &SensorWindow::chartThresholdChanged1);
    d->thresholdManager = new Utils::ThresholdMultiManager(2, this);

    QList<Utils::ThresholdWidgetBase *> markers;
    for (auto *marker : qAsConst(d->rangeMarkers))
        markers.append(marker);
    markers.append(switching);
    for (Utils::ThresholdWidgetBase *marker : qAsConst(markers)) {
        marker->setOverlapAllowed(true);
        marker->setWindowSizeVisible(false);
        marker->setReadOnly(false);
    }
    switching->setMiddleMark(1000.0);

    d->outputSelector = new QComboBox(ui->outuptsComboToolBar);
    d->outputSelector->setObjectName(QStringLiteral("outputSelector"));
    const QString output = QCoreApplication::translate("SensorWindow", "Output");
    d->outputSelector->addItem(output + QStringLiteral(" 1"), QVariant(QString()));
    d->outputSelector->addItem(output + QStringLiteral(" 2"), QVariant(QString()));
    d->outputSelector->setCurrentIndex(0);
    connect(d->outputSelector, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &SensorWindow::slotCurrentOutputChanged);
    ui->outuptsComboToolBar->addWidget(d->outputSelector);
}

// The object-line plot has its own distance axis instead of a time axis.
void SensorWindow::vSetUpIndependentPlot()
{
    Utils::Charts::GenericChart *chart = d->chart;
    connect(chart, &Utils::Charts::GenericChart::IndependentPlotDoubleClick, this,
            &SensorWindow::resetIndependentPlotSlot);
    chart->setIndependentPlot(ObjectPlot, true, true);
    chart->setPlotAxisScale(ObjectPlot, 0.0, 10001.0, 2000.0);
    chart->axisChanged(ObjectPlot);
    if (d->rangeMarkers.size() > 1) {
        d->rangeMarkers[1]->setLeftMark(0, 1000.0);
        d->rangeMarkers[1]->setRightMark(0, 10001.0);
    }
    chart->createChartRectangles(ObjectPlot, 4);
}

} // namespace Core
} // namespace DirazSensorPlugin
