// Whole-set transfers: every parameter of the address table read from the
// sensor into the tree, or written from the tree to the sensor, in
// ascending id order.

#include "window/sensorwindow.h"

#include "comm/pause.h"
#include "window/logcategories.h"
#include "window/sensorwindowprivate.h"
#include "window/sensorwindowui.h"

#include <qtboolpropertymanager.h>
#include <qtdoublepropertymanager.h>
#include <qtenumpropertymanager.h>
#include <qtintpropertymanager.h>
#include <qtproperty.h>
#include <qtstringpropertymanager.h>

#include <QAction>

namespace DirazSensorPlugin {
namespace Core {

namespace {

constexpr int kReadAllTicks = 885;
constexpr int kWriteAllTicks = 590;

bool isExcludedFromWrite(const QString &id)
{
    for (const char *part : {"ReadOnly", "InputMode", "RESETBUTTON", "TEACHBUTTON"})
        if (id.contains(QLatin1String(part)))
            return true;
    return false;
}

bool isWrittenTextTag(const QString &id)
{
    return id == QLatin1String("FunctionTag") || id == QLatin1String("LocationTag")
           || id == QLatin1String("AppSpecificTag");
}

} // namespace

void SensorWindow::vRadAllSettings(bool checked)
{
    if (checked) {
        ui->actionEnable_live_data->setChecked(false);
        d->liveData = false;
        if (d->channel)
            d->chartTimer.start();
        enableTreeDataHandling(false);
        pauseMs(200);
        ui->actionWritePermanent->setChecked(false);
        d->noticeTicks = kReadAllTicks;
        d->showProgress = true;
        vShowProgress(true);

        d->pollingAllowed = false;
        vReadAllParameters();
        d->pollingAllowed = true;
        if (!connected) {
            vEnableEditableProperties();
            return;
        }

        ui->actionEnable_live_data->setChecked(true);
        // setChecked does not trigger, so neither slot runs again here.
        ui->actionWritePermanent->setChecked(true);
        ui->actionRead->setChecked(false);
        applyUnitLimits();
        if (d->analogPresent)
            applyAnalogScale();
        vEnableEditableProperties();
        d->liveData = true;
        if (d->channel)
            d->chartTimer.start();
        if (bNoticeCancelled())
            vGoOfflineAfterCancel();
    } else {
        vEnableEditableProperties();
    }
    vApplyParameterRules();
}

void SensorWindow::vReadAllParameters()
{
    d->continuousDataTimer.stop();
    d->teachTimer.stop();
    const QStringList ids = propertyAddresses.keys();
    const int total = ids.size();
    int done = 0;
    for (const QString &id : ids) {
        if (bNoticeCancelled())
            return;
        if (bLineSilent()) {
            vAbandonSilentSensor();
            return;
        }
        pauseMs(5);
        bReadParameter(id, false);
        vReportTransferProgress(++done, total);
    }
    // Ids whose read failed get one more try, the last failure first.
    for (int i = d->ReadRetryList.size() - 1; i >= 0 && !bNoticeCancelled() && !bLineSilent(); --i) {
        bReadParameter(d->ReadRetryList.at(i), false);
        pauseMs(15);
    }
    d->ReadRetryList.clear();
    vReportTransferProgress(0, 0);
    if (bNoticeCancelled())
        return;
    if (bLineSilent()) {
        vAbandonSilentSensor();
        return;
    }

    const bool pollingWasAllowed = d->pollingAllowed;
    d->pollingAllowed = false;
    if (d->afterConnect)
        finishIdentification();
    convertUnitValues();
    d->pollingAllowed = pollingWasAllowed;
}

void SensorWindow::vWriteAllSettings(bool)
{
    d->noticeTicks = kWriteAllTicks;
    d->showProgress = true;
    vShowProgress(true);
    const bool live = ui->actionEnable_live_data->isChecked();
    ui->actionEnable_live_data->setChecked(false);
    d->liveData = false;
    if (d->channel)
        d->chartTimer.start();

    enableTreeDataHandling(false);
    userEdit = false;
    writeAllSettings();
    userEdit = true;

    ui->actionEnable_live_data->setChecked(live && connected);
    d->liveData = live && connected;
    vEnableEditableProperties();
    if (d->channel)
        d->chartTimer.start();
    vApplyParameterRules();
    if (bNoticeCancelled())
        vGoOfflineAfterCancel();
}

void SensorWindow::writeAllSettings()
{
    pendingValue[0] = QVariant(-1);
    pendingProperty[1] = nullptr;
    if (ui->actionRead->isChecked())
        ui->actionRead->setChecked(false);
    if (!ui->actionWritePermanent->isChecked())
        ui->actionWritePermanent->setChecked(true);

    // Never an interactive edit, whichever path runs it: a button in the set
    // must not start its device action, nor take over the second slot.
    const bool wasUserEdit = userEdit;
    userEdit = false;
    const QStringList ids = propertyAddresses.keys();
    const int total = ids.size();
    int done = 0;
    for (const QString &id : ids) {
        if (bNoticeCancelled() || bLineSilent())
            break;
        vReportTransferProgress(done++, total);
        QtProperty *property = findProperty(id);
        pendingProperty[0] = property;
        pendingProperty[1] = nullptr;
        if (!property)
            continue;
        QtAbstractPropertyManager *manager = property->propertyManager();
        bool handled = false;
        if (manager == d->boolManager) {
            pendingValue[0] = d->boolManager->value(property);
        } else if (manager == d->intManager) {
            pendingValue[0] = d->intManager->value(property);
        } else if (manager == d->doubleManager) {
            pendingValue[0] = d->doubleManager->value(property);
        } else if (manager == d->enumManager) {
            const int index = d->enumManager->value(property);
            if (id == QLatin1String("Bluetooth") && !d->bluetoothPresent)
                handled = true;
            if (id == QLatin1String("MesurementUnit"))
                d->measurementUnit = index;
            pendingValue[0] = index;
        } else if (manager == d->stringManager) {
            handled = true;
            if (isWrittenTextTag(id)) {
                selectedProperty = property;
                d->editedText = d->stringManager->value(property);
                d->textEditPending = true;
                vTextEditFinished();
            }
        }
        if (isExcludedFromWrite(id))
            continue;
        if (!handled)
            sendDelayValue();
        pauseMs(120);
    }
    userEdit = wasUserEdit;
    if (bNoticeCancelled())
        return;
    if (bLineSilent()) {
        vAbandonSilentSensor();
        return;
    }
    vReportTransferProgress(total, total);

    pauseMs(20);
    bReadParameter(QStringLiteral("MesurementUnit"), false);
    for (int i = d->ReadRetryList.size() - 1; i >= 0 && !bNoticeCancelled(); --i) {
        bReadParameter(d->ReadRetryList.at(i), false);
        pauseMs(5);
    }
    d->ReadRetryList.clear();
    vReportTransferProgress(0, 0);
}

} // namespace Core
} // namespace DirazSensorPlugin
