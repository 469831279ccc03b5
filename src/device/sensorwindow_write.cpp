// The delayed write of an edited parameter: device value, value rules, the
// write frame and the follow-ups of later steps.

#include "window/sensorwindow.h"

#include "comm/masterframes.h"
#include "comm/pause.h"
#include "device/enummapping.h"
#include "device/flagwords.h"
#include "device/parameterwrite.h"
#include "live/unitconversion.h"
#include "persistence/dialoglayer.h"
#include "window/logcategories.h"
#include "window/sensorwindowprivate.h"
#include "window/viewpositions.h"
#include "window/sensorwindowui.h"

#include <qtpropertymanager.h>
#include <utils/buttonmanager.h>

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>

namespace DirazSensorPlugin {
namespace Core {

namespace {

bool containsAny(const QString &id, std::initializer_list<const char *> parts)
{
    for (const char *part : parts) {
        if (id.contains(QLatin1String(part)))
            return true;
    }
    return false;
}

} // namespace

void SensorWindow::sendDelayValue()
{
    if (d->afterConnect)
        return;
    const QString firstId = pendingProperty[0] ? pendingProperty[0]->propertyId() : QString();
    if (userEdit && !firstId.contains(QLatin1String("ErrorWarning")) && d->outputSelector)
        d->outputSelector->setCurrentIndex(firstId.contains(QLatin1Char('2')) ? 1 : 0);
    if (ui->actionRead->isChecked()) {
        signalWriteModeIcon(true);
        userEdit = true;
        vApplyParameterRules();
        return;
    }

    const int slot = pendingProperty[1] ? 1 : 0;
    QtProperty *property = pendingProperty[slot];
    const QVariant value = pendingValue[slot];
    const QString id = property ? property->propertyId() : QString();

    if (!ui->actionWritePermanent->isChecked() && id == QLatin1String("MesurementUnit")) {
        d->measurementUnit = value.toInt();
        if (userEdit) {
            d->chartTimer.stop();
            enableTreeDataHandling(false);
            convertUnitValues();
            vApplyParameterRules();
            applyUnitLimits();
            vApplyMeasurementUnitView();
            d->chartTimer.start();
            // Left off, the tree would take no further edit.
            enableTreeDataHandling(true);
            return;
        }
    }
    if (!ui->actionWritePermanent->isChecked()) {
        signalWriteModeIcon(true);
        vApplyParameterRules();
        return;
    }

    enableTreeDataHandling(false);
    bool unitEdited = false;
    std::int64_t v = 0;
    if (!id.isEmpty()) {
        const ParameterAddress address = parseParameterAddress(propertyAddresses.value(id));
        switch (vComputeDeviceValue(property, value, &v, &unitEdited)) {
        case WriteStep::Send:
            break;
        case WriteStep::Done:
            return;
        case WriteStep::SkipToEnd:
            d->chartTimer.start();
            enableTreeDataHandling(true);
            return;
        }
        if (!ui->actionWriting->isChecked()) {
            signalWriteModeIcon(true);
            enableTreeDataHandling(true);
            return;
        }
        if (connected && !d->afterConnect) {
            if (address.valid) {
                pauseMs(100);
                bSendCommand(fetchResultFrame(), false);
                pauseMs(100);
                queryCommand(buildParameterWrite(std::uint16_t(address.index), std::uint8_t(address.subIndex), v,
                                                 address.size),
                             std::string());
            } else {
                qCWarning(lcDevice) << "not written, no usable address for" << id << propertyAddresses.value(id);
            }
        }
        if (!d->liveData && connected && !d->afterConnect)
            bSendCommand(cycleFrame(), d->showProgress);
        delayTimer.stop();
        if (id.contains(QLatin1String("TEACHBUTTON")) && userEdit)
            d->teachTimer.start();
    }

    if (userEdit) {
        if ((id == QLatin1String("PinFunctionA2") || id == QLatin1String("PinFunctionA1")) && v == 4 && connected)
            vSyncThresholds(id);
        if (id.contains(QLatin1String("analog")) && d->analogPresent)
            applyUnitLimits();
        if (id.contains(QLatin1String("PinFunctionA")))
            vApplyParameterRules();
        if (unitEdited && connected) {
            // The device needs a moment before its distances read back in
            // the new unit; the teach timer's read-back does that.
            d->noticeTicks = 230;
            d->showProgress = true;
            vShowProgress(true);
            d->teachTimer.start();
            pendingProperty[0] = property;
        }
    }
    d->chartTimer.start();
    enableTreeDataHandling(true);
}

SensorWindow::WriteStep SensorWindow::vComputeDeviceValue(QtProperty *property, const QVariant &value,
                                                          std::int64_t *v, bool *unitEdited)
{
    const QString id = property->propertyId();
    QtAbstractPropertyManager *manager = property->propertyManager();
    *v = 0;
    if (manager == d->boolManager) {
        FlagWord word;
        if (flagWordOf(id, &word)) {
            // The whole word goes, whichever flag was edited.
            *v = std::int64_t(composeFlagWord(word, [this](const QString &flag) {
                QtProperty *p = findProperty(flag);
                return p && d->boolManager->value(p);
            }));
        }
    } else if (manager == d->intManager) {
        *v = value.toInt();
    } else if (manager == d->doubleManager) {
        vComputeDistanceValue(property, value.toDouble(), v);
    } else if (manager == d->enumManager) {
        vComputeEnumValue(property, value.toInt(), v, unitEdited);
    } else if (manager == d->buttonManager) {
        return vComputeButtonValue(property, v);
    }
    return WriteStep::Send;
}

void SensorWindow::vComputeDistanceValue(QtProperty *property, double value, std::int64_t *v)
{
    const QString id = property->propertyId();
    *v = distanceDeviceValue(value, d->measurementUnit);
    if (!isInchUnit(d->measurementUnit))
        d->doubleManager->setValue(property, double(*v));
    if (!userEdit)
        return;
    if (containsAny(id, {"HysteresisA", "ThresholdA", "DetectionRange", "analog"}))
        vApplyParameterRules();
    if (id == QLatin1String("DetectionRangeFar"))
        *v = farRangeDeviceValue(*v, d->objMaxRange);
    if (id.contains(QLatin1String("DetectionRange")) && *v < d->objMinRange) {
        *v = d->objMinRange;
        d->doubleManager->setValue(property, double(*v));
    }
    if (id.contains(QLatin1String("analog")) && d->analogPresent) {
        if (*v < d->objMinRange) {
            *v = d->objMinRange;
            d->doubleManager->setValue(property, double(*v));
        }
        if (*v > d->maxRange) {
            *v = d->maxRange;
            d->doubleManager->setValue(property, double(*v));
        }
    }
}

void SensorWindow::vComputeEnumValue(QtProperty *property, int index, std::int64_t *v, bool *unitEdited)
{
    const QString id = property->propertyId();
    *v = enumDeviceValue(id, index, d->variantKey, d->teachLockedRaw);
    if (id == QLatin1String("PinFunctionA3") || id.contains(QLatin1String("TeachInMode"))) {
        if (userEdit)
            vApplyParameterRules();
    } else if (id == QLatin1String("MesurementUnit")) {
        enableTreeDataHandling(false);
        ui->actionEnable_live_data->setChecked(false);
        d->liveData = false;
        if (d->channel)
            d->chartTimer.start();
        d->measurementUnit = int(*v);
        if (userEdit) {
            convertUnitValues();
            vApplyParameterRules();
            *unitEdited = true;
            vApplyMeasurementUnitView();
        }
    } else if (id == QLatin1String("ObjectInfo")) {
        d->objectInfoMode = int(*v);
        d->poll.setCounter(*v == 1 ? 20 : 0);
        vApplyObjectInfoView();
        resetIndependentPlotSlot(1);
    } else if (id.contains(QLatin1String("ErrorWarning"))) {
        static const QStringList warnings = {QStringLiteral("ErrorWarning1"), QStringLiteral("ErrorWarning2"),
                                             QStringLiteral("ErrorWarning3"), QStringLiteral("ErrorWarning4")};
        const int row = warnings.indexOf(id);
        if (row >= 0)
            setStatusRowToolTip(FirstWarningRow + row, d->enumManager->enumNames(property).value(index));
        if (userEdit)
            vApplyParameterRules();
    } else if (id == QLatin1String("TestMode")) {
        if (userEdit)
            vApplyTestModeRules(index != 0);
    } else if (id == QLatin1String("SimulationDistanceValue")) {
        if (userEdit)
            vApplyTestModeRules(true);
        if (QtProperty *simulated = findProperty(QStringLiteral("SimulationMeasurementValue")))
            d->doubleManager->setValue(simulated, isInchUnit(d->measurementUnit)
                                                      ? double(SimulationDistanceOn) * MillimetresToInches
                                                      : double(SimulationDistanceOn));
    }
}

SensorWindow::WriteStep SensorWindow::vComputeButtonValue(QtProperty *property, std::int64_t *v)
{
    const QString id = property->propertyId();
    *v = 0;
    if (!userEdit)
        return WriteStep::Send;
    const bool deviceAction = id == QLatin1String("DEVICEBUTTON") || id == QLatin1String("APPBUTTON");
    if (id == QLatin1String("BACKTOBOXBUTTON") && connected) {
        const int answer = DialogLayer::warning(
            this, QCoreApplication::translate("SensorWindow", "Back To Box defaults"),
            QCoreApplication::translate("SensorWindow",
                                        "The sensor will be disconnected (offline mode) , and can be accessed again, "
                                        "only after it is removed and reconnected to the GHTN adapter, continue?"),
            QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Cancel);
        if (answer != QMessageBox::Ok) {
            pendingProperty[0] = property;
            return WriteStep::SkipToEnd;
        }
    } else if (!deviceAction) {
        *v = buttonDeviceValue(id);
        return WriteStep::Send;
    }
    // The action restarts polling and the tree's handling itself.
    pendingProperty[1] = property;
    vSendDeviceAction(id);
    pendingProperty[0] = property;
    return WriteStep::Done;
}

} // namespace Core
} // namespace DirazSensorPlugin
