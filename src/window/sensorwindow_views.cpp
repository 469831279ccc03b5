// Which rows and chart docks the current unit layout and object-information
// setting show.

#include "window/sensorwindow.h"

#include "window/sensorwindowprivate.h"
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
            row->setText(2, value);
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
    setRow(1, false, QString());
    setRow(2, false, QString());
    setDock(0, false);
    setDock(2, false);
    if (d->measurementUnit == 2) {
        setRow(1, true, QStringLiteral("0"));
        setDock(0, true);
    } else if (d->measurementUnit == 3) {
        setRow(1, true, QStringLiteral("0"));
        setRow(2, true, QStringLiteral("0"));
        setDock(0, true);
        setDock(2, true);
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
    QDockWidget *dock = chart->getDockChartItem(1);
    if (d->objectInfoMode == 0) {
        chart->vUpdateXLines(1, QVector<double>(4, 0.0), QVector<double>(4, 0.0));
        for (int position = 16; position <= 23; ++position) {
            QTreeWidgetItem *row = d->stateRows.value(position);
            if (!row)
                continue;
            row->setText(3, QString());
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
