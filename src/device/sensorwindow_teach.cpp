// Teach-in read-back and the device actions (resets, back-to-box): the device
// needs time and the master needs to be kept busy while it restarts.

#include "window/sensorwindow.h"

#include "comm/masterframes.h"
#include "comm/pause.h"
#include "live/unitconversion.h"
#include "live/unitlimits.h"
#include "window/logcategories.h"
#include "window/sensorwindowprivate.h"
#include "window/sensorwindowui.h"

#include <qtdoublepropertymanager.h>
#include <qtproperty.h>

#include <QAction>
#include <QComboBox>
#include <QSignalBlocker>

#include <functional>

namespace DirazSensorPlugin {
namespace Core {

namespace {

// Cycle frames that keep the master busy while the device restarts.
void sendCycles(int count, const std::function<void()> &sendOne)
{
    for (int i = 0; i < count; ++i) {
        sendOne();
        pauseMs(70);
    }
}

} // namespace

void SensorWindow::slotUpdatingTeachValues()
{
    if (!connected || !pendingProperty[0] || !d->pollingAllowed)
        return;
    d->poll.setCounter(20);
    enableTreeDataHandling(false);
    ui->actionEnable_live_data->setChecked(false);
    d->liveData = false;
    if (d->channel)
        d->chartTimer.start();

    const QString id = pendingProperty[0]->propertyId();
    if (id == QLatin1String("TEACHBUTTON1"))
        vSyncThresholds(QStringLiteral("SwitchingThresholdA1"));
    else if (id == QLatin1String("TEACHBUTTON2"))
        vSyncThresholds(QStringLiteral("SwitchingThresholdA2"));
    else if (id == QLatin1String("ANALOGTEACHBUTTON1"))
        vReadDistancesBack({QStringLiteral("analog0V")});
    else if (id == QLatin1String("ANALOGTEACHBUTTON2"))
        vReadDistancesBack({QStringLiteral("analog10V")});

    d->teachTimer.stop();
    vApplyParameterRules();
    enableTreeDataHandling(true);
    ui->actionEnable_live_data->setChecked(true);
    d->liveData = true;
    if (d->channel)
        d->chartTimer.start();
    d->pollingAllowed = true;
}

void SensorWindow::vSyncThresholds(QString id)
{
    enableTreeDataHandling(false);
    d->noticeTicks = 80;
    d->showProgress = true;
    vShowProgress(true);

    pauseMs(250);
    bSendCommand(fetchResultFrame(), false);
    bSendCommand(cycleFrame(), false);
    pauseMs(50);

    int output = 0;
    if (id.contains(QLatin1String("A2")))
        output = 2;
    else if (id.contains(QLatin1String("A1")))
        output = 1;
    if (output == 0)
        return;

    const QString switching = QStringLiteral("SwitchingThresholdA%1").arg(output);
    const QString upper = QStringLiteral("UpperThresholdA%1").arg(output);
    const QString lower = QStringLiteral("LowerThresholdA%1").arg(output);
    for (const QString &read : {switching, upper, lower}) {
        pauseMs(150);
        vReadDistancesBack({read});
    }
    pauseMs(150);

    enableTreeDataHandling(false);
    const bool millimetres = d->measurementUnit == 0 || d->measurementUnit == 2 || d->measurementUnit == 3;
    const bool inches = isInchUnit(d->measurementUnit);
    if (!millimetres && !inches)
        return;
    for (const QString &threshold : {lower, upper, switching}) {
        QtProperty *p = findProperty(threshold);
        if (!p || p->propertyManager() != d->doubleManager)
            continue;
        if (millimetres)
            d->doubleManager->setRange(p, threshold == switching ? d->minRange : 1.0, d->maxRange);
        else
            d->doubleManager->setRange(p, 0.039, d->maxRange * MillimetresToInches);
    }
}

void SensorWindow::vSendDeviceAction(QString id)
{
    d->chartTimer.stop();
    enableTreeDataHandling(false);
    const auto cycle = [this] { bSendCommand(cycleFrame(), true); };

    if (id == QLatin1String("BACKTOBOXBUTTON")) {
        sendCycles(5, cycle);
        queryCommand(systemCommandFrame(SystemCommand::BackToBox), std::string());
        pauseMs(500);
        sendCycles(5, cycle);
        bSendCommand(textWritePrefixFrame(), false);
        pauseMs(500);
        {
            // The selector's own handler would disconnect a second time.
            const QSignalBlocker blocker(d->portSelector);
            d->portSelector->setCurrentIndex(0);
        }
        d->lastPortIndex = 0;
        vDisconnect();
        return;
    }

    SystemCommand command;
    int cyclesBefore;
    if (id == QLatin1String("APPBUTTON")) {
        command = SystemCommand::ApplicationReset;
        cyclesBefore = 10;
    } else if (id == QLatin1String("DEVICEBUTTON")) {
        command = SystemCommand::DeviceReset;
        cyclesBefore = 15;
    } else {
        qCWarning(lcDevice) << "no device action for" << id;
        if (d->channel)
            d->chartTimer.start();
        enableTreeDataHandling(true);
        return;
    }
    d->noticeTicks = 1080;
    d->showProgress = true;
    vShowProgress(true);
    sendCycles(cyclesBefore, cycle);
    bSendCommand(fetchResultFrame(), false);
    pauseMs(500);
    queryCommand(systemCommandFrame(command), std::string());
    pauseMs(500);
    sendCycles(10, cycle);
    bSendCommand(textWritePrefixFrame(), false);
    pauseMs(500);

    vReadDistancesBack(distanceParameterIds());
    applyUnitLimits();
    vApplyParameterRules();
    if (d->channel)
        d->chartTimer.start();
    enableTreeDataHandling(true);
}

} // namespace Core
} // namespace DirazSensorPlugin
