// Which rows and chart docks the current unit layout and object-information
// setting show.

#include "window/sensorwindow.h"

#include "window/sensorwindowprivate.h"
#include "window/viewpositions.h"
#include "window/sensorwindowui.h"

#include <utils/genericchart.h>

#include <QDockWidget>
#include <QToolBar>
#include <QTreeWidget>

namespace DirazSensorPlugin {
namespace Core {

void SensorWindow::vApplyMeasurementUnitView()
{
    Utils::Charts::GenericChart *chart = d->chart;
    if (!chart)
        return;
    auto setRow = [this](int position, bool shown, const QString &value) {
        if (QTreeWidgetItem *row = d->stateRows.value(position)) {
            row->setHidden(!shown);
            row->setText(ValueColumn, value);
        }
    };
    auto setDock = [this, chart](int plot, bool shown) {
        QDockWidget *dock = chart->getDockChartItem(plot);
        if (!dock)
            return;
        dock->setVisible(shown);
        ui->fileToolBar->removeAction(dock->toggleViewAction());
        if (shown)
            ui->fileToolBar->addAction(dock->toggleViewAction());
    };
    setRow(SpeedRow, false, QString());
    setRow(IntensityRow, false, QString());
    setDock(SpeedPlot, false);
    setDock(IntensityPlot, false);
    if (d->measurementUnit == 2) {
        setRow(SpeedRow, true, QStringLiteral("0"));
        setDock(SpeedPlot, true);
    } else if (d->measurementUnit == 3) {
        setRow(SpeedRow, true, QStringLiteral("0"));
        setRow(IntensityRow, true, QStringLiteral("0"));
        setDock(SpeedPlot, true);
        setDock(IntensityPlot, true);
    } else {
        return;
    }
    actionDock();
}

void SensorWindow::vApplyObjectInfoView()
{
    Utils::Charts::GenericChart *chart = d->chart;
    if (!chart)
        return;
    QDockWidget *dock = chart->getDockChartItem(ObjectPlot);
    if (d->objectInfoMode == 0) {
        chart->vUpdateXLines(1, QVector<double>(4, 0.0), QVector<double>(4, 0.0));
        for (int position = 16; position <= 23; ++position) {
            QTreeWidgetItem *row = d->stateRows.value(position);
            if (!row)
                continue;
            row->setText(TextColumn, QString());
            for (int column : {0, 3}) {
                row->setData(column, Qt::ForegroundRole, QVariant());
                row->setData(column, Qt::FontRole, QVariant());
            }
        }
        if (d->observationDock)
            d->observationDock->hide();
        if (dock)
            dock->hide();
    } else if (d->objectInfoMode == 1) {
        if (d->observationDock)
            d->observationDock->show();
        if (dock)
            dock->show();
        actionDock();
    }
}

} // namespace Core
} // namespace DirazSensorPlugin
