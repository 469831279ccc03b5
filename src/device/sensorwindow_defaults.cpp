// Restoring the sensor's factory settings and reading them back.

#include "window/sensorwindow.h"

#include "comm/masterframes.h"
#include "comm/pause.h"
#include "persistence/dialoglayer.h"
#include "window/sensorwindowprivate.h"
#include "window/sensorwindowui.h"

#include <QAction>
#include <QCoreApplication>

namespace DirazSensorPlugin {
namespace Core {

void SensorWindow::vRestoreFactorySettings()
{
    if (!connected)
        return;
    if (DialogLayer::warning(this, QCoreApplication::translate("SensorWindow", "Restore factory defaults"),
                             QCoreApplication::translate("SensorWindow",
                                                         "All settings will be restored to factory defaults, continue ?"),
                             QMessageBox::Ok | QMessageBox::Cancel)
        != QMessageBox::Ok)
        return;

    ui->actionEnable_live_data->setChecked(false);
    d->liveData = false;
    if (d->channel)
        d->chartTimer.start();
    enableTreeDataHandling(false);
    d->pollingAllowed = false;

    vSendFactoryReset();
    if (bNoticeCancelled() || !connected) {
        vGoOfflineAfterCancel();
        enableTreeDataHandling(true);
        return;
    }

    userEdit = true;
    vApplyParameterRules();
    d->pollingAllowed = true;
    bReadParameter(QStringLiteral("DetectionRangeNear"), false);
    pauseMs(200);
    bReadParameter(QStringLiteral("DetectionRangeFar"), false);

    d->liveData = true;
    ui->actionEnable_live_data->setChecked(true);
    vEnableEditableProperties();
    if (d->channel)
        d->chartTimer.start();
    enableTreeDataHandling(true);
    vApplyObjectInfoView();
}

void SensorWindow::vSendFactoryReset()
{
    enableTreeDataHandling(false);
    if (!ui->actionWriting->isChecked())
        ui->actionWriting->setChecked(true);
    d->noticeTicks = 800;
    d->showProgress = true;
    vShowProgress(true);

    // No answer is checked: a sensor that ignores the command keeps its
    // settings, and the read-back shows them.
    bSendCommand(fetchResultFrame(), false);
    queryCommand(systemCommandFrame(SystemCommand::RestoreFactorySettings), std::string());
    bSendCommand(cycleFrame(), false);
    bSendCommand(cycleFrame(), false);
    pauseMs(100);

    vReadAllParameters();
    ui->actionEnable_live_data->setChecked(connected);
    enableTreeDataHandling(true);
}

} // namespace Core
} // namespace DirazSensorPlugin
