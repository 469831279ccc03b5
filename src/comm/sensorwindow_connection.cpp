// Attaching the window to a sensor: the port selector, the choice of the
// winning side, probing the master, identifying the sensor by its product
// name, and returning to Offline.

#include "window/sensorwindow.h"

#include "comm/masterframes.h"
#include "comm/pause.h"
#include "persistence/dialoglayer.h"
#include "window/sensorwindowprivate.h"
#include "window/sensorwindowui.h"

#include <extensionsystem/portsettings.h>
#include <utils/connectionstatus.h>
#include <utils/thresholdwindowwidgetgeneric.h>
#include <utils/thresholdwindowwidgetuniversal.h>

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QToolBar>

namespace DirazSensorPlugin {
namespace Core {

namespace {

constexpr int kProbeAttempts = 5;
constexpr int kIdentifyAttempts = 10;
constexpr int kMaxProductNameLength = 8;
constexpr int kSensorToPcTicks = 600;
constexpr int kPcToSensorTicks = 990;

} // namespace

void SensorWindow::updateComPortList(QStringList ports)
{
    QComboBox *selector = d->portSelector;
    const QString current = selector->currentText();
    selector->clear();
    selector->insertItem(0, QCoreApplication::translate("SensorWindow", "Offline"), QVariant(QString()));
    selector->insertSeparator(1);
    selector->addItems(ports);
    // Exact, case-sensitive match; no match leaves nothing selected.
    int found = -1;
    for (int i = 0; i < selector->count(); ++i) {
        if (i != 1 && selector->itemText(i) == current) {
            found = i;
            break;
        }
    }
    selector->setCurrentIndex(found);
}

void SensorWindow::vConnectToPort(QString port)
{
    emit vComPortSelected(port);
}

void SensorWindow::actionConnectSensor(int state)
{
    QComboBox *selector = d->portSelector;
    if (state <= 0) {
        d->continuousDataTimer.stop();
        vCloseConnectionNotice();
        ui->sensorOperationsToolbar->setEnabled(false);
        connected = false;
        d->lastPortIndex = 0;
        vDisconnect();
    } else {
        const int choice = DialogLayer::connectionSwitch();
        if (choice == 0) {
            pcToSensorChosen = false;
            selector->setCurrentIndex(d->lastPortIndex);
            return;
        }
        if (choice == 1) {
            pcToSensorChosen = false;
            if (!bStartConnectionAttempt(kSensorToPcTicks)) {
                vCloseConnectionNotice();
                d->lastPortIndex = 0;
                selector->setCurrentIndex(0);
                vDisconnect();
            } else {
                vCompleteReadingConnection();
                d->liveData = true;
                ui->actionEnable_live_data->setChecked(true);
            }
        } else {
            const int answer = DialogLayer::information(
                this, QCoreApplication::translate("SensorWindow", "nDorix"),
                QCoreApplication::translate("SensorWindow", "Sensor settings will be overwritten with the ones from PC"),
                QMessageBox::Ok | QMessageBox::Cancel);
            if (answer != QMessageBox::Ok) {
                selector->setCurrentIndex(0);
                d->lastPortIndex = 0;
                return;
            }
            pcToSensorChosen = true;
            if (!bStartConnectionAttempt(kPcToSensorTicks)) {
                vCloseConnectionNotice();
                selector->setCurrentIndex(0);
                d->lastPortIndex = 0;
                vDisconnect();
                pcToSensorChosen = false;
            } else {
                updateWindowTitle();
                connected = true;
                readIdentification();
                enableTreeDataHandling(false);
                writeAllSettings();
                enableTreeDataHandling(true);
                ui->sensorOperationsToolbar->setEnabled(true);
                d->lastPortIndex = selector->currentIndex();
                if (d->universalThreshold)
                    d->universalThreshold->setReadOnly(false);
                vApplyParameterRules();
                if (d->analogPresent)
                    applyAnalogScale();
                d->liveData = true;
                ui->actionEnable_live_data->setChecked(true);
                if (d->channel)
                    d->chartTimer.start();
            }
        }
    }
    ui->sensorOperationsToolbar->setEnabled(connected);
    d->connectionStatus->setConnected(connected);
}

void SensorWindow::vAutoConnect(QString ComPort)
{
    vDisconnect();
    QComboBox *selector = d->portSelector;
    for (int i = selector->count() - 1; i >= 0; --i) {
        if (selector->itemText(i) == ComPort) {
            selector->setCurrentIndex(i);
            break;
        }
    }
    emit vComPortSelected(selector->currentText());
    d->showProgress = true;
    vShowProgress(true);
    d->autoConnecting = true;
    if (!bConnectToSensor()) {
        d->autoConnecting = false;
        vCloseConnectionNotice();
        vDisconnect();
        selector->setCurrentIndex(0);
    } else {
        vCompleteReadingConnection();
    }
    d->connectionStatus->setConnected(connected);
}

// Every chosen connection starts from scratch, with the notice up.
bool SensorWindow::bStartConnectionAttempt(int noticeTicks)
{
    vDisconnect();
    emit vComPortSelected(d->portSelector->currentText());
    d->noticeTicks = noticeTicks;
    d->showProgress = true;
    vShowProgress(true);
    return bConnectToSensor();
}

void SensorWindow::vCloseConnectionNotice()
{
    d->showProgress = false;
    vShowProgress(false);
}

// The sensor's settings win: they are read into the tree; polling starts
// when the notice ends.
void SensorWindow::vCompleteReadingConnection()
{
    updateWindowTitle();
    connected = true;
    d->afterConnect = true;
    vReadAllParameters();
    ui->sensorOperationsToolbar->setEnabled(true);
    d->lastPortIndex = d->portSelector->currentIndex();
    if (d->universalThreshold)
        d->universalThreshold->setReadOnly(false);
}

bool SensorWindow::bConnectToSensor()
{
    DataFrame frame(1);
    ExtensionSystem::FrameEntry &probe = frame.front();
    probe.command = linkProbeFrame();
    probe.expectedAnswer = ".*";
    probe.timeoutMs = 1000.0;

    bool accepted = false;
    if (d->channel) {
        ExtensionSystem::PortSettings settings = d->channel->portSettings();
        bool probed = false;
        for (int attempt = 0; attempt < kProbeAttempts && !probed; ++attempt) {
            // The channel goes away when the host releases the port.
            if (!d->channel)
                return false;
            settings.vSetBaudrateDefault(2);
            d->channel->setPortSettings(settings);
            probe.status = 0;
            probe.answer.clear();
            sendDataFrame(&frame, d->showProgress);
            probed = probe.status != 0;
        }
        if (probed) {
            d->selectedSensorId = QString::fromStdString(sensorRecord.id());
            bool identified = false;
            for (int attempt = 0; attempt < kIdentifyAttempts && !identified; ++attempt)
                identified = identifySensor();
            accepted = identified && d->connectedProductName.size() <= kMaxProductNameLength;
        }
    }
    if (!accepted) {
        vShowProgress(false);
        DialogLayer::warning(this, QCoreApplication::translate("SensorWindow", "Connecting to sensor..."),
                             QCoreApplication::translate("SensorWindow", "The connected sensor does not match currently selected sensor, "
                                "please try again with the proper sensor"),
                             QMessageBox::Ok);
        connected = false;
        return false;
    }
    vApplySensorVariant();
    // The catalogue value says which way round; the widget takes the opposite.
    for (Utils::ThresholdWindowWidgetGeneric *marker : qAsConst(d->thresholdMarkers))
        marker->setReadOnly(!sensorRecord.thresholdsReadOnly());
    ui->actionOpen_Settings->setEnabled(false);
    d->connectionReady = true;
    return true;
}

bool SensorWindow::identifySensor()
{
    for (const std::string &command : {linkProbeFrame(), identifyStep2Frame(), cycleFrame(), identifyStep4Frame(),
                                       productNameReadFrame(), cycleFrame()})
        bSendCommand(command, false);
    pauseMs(50);
    bSendCommand(cycleFrame(), false);
    pauseMs(50);

    DataFrame frame(1);
    ExtensionSystem::FrameEntry &fetch = frame.front();
    fetch.command = fetchResultFrame();
    fetch.expectedAnswer = ".*";
    const int commandLength = int(fetch.command.size());
    fetch.timeoutMs = double(commandLength * sensorRecord.characterDelay() + sensorRecord.lineDelay() + 2000);
    sendDataFrame(&frame, false);
    if (fetch.status == 0)
        return false;

    const QByteArray text = textAnswerOctets(frameBytes(fetch.answer));
    if (text.size() < 3)
        return false;
    d->connectedProductName = QString::fromUtf8(text);
    return d->connectedProductName.left(3) == d->selectedSensorId.left(3);
}

bool SensorWindow::bCheckConnection()
{
    return queryCommand(linkProbeFrame(), std::string()).size() == ProbeAnswerLength;
}

void SensorWindow::vDisconnect()
{
    d->connectionReady = false;
    d->pollingAllowed = true;

    for (Utils::ThresholdWindowWidgetGeneric *marker : qAsConst(d->thresholdMarkers))
        marker->setReadOnly(true);
    ui->sensorOperationsToolbar->setEnabled(false);
    connected = false;
    d->connectionStatus->setConnected(true);
    ui->actionOpen_Settings->setEnabled(true);

    d->liveData = false;
    ui->actionEnable_live_data->setChecked(false);

    emit vComPortSelected(QString());

    updateWindowTitle();
    updateChart();

    d->liveData = ui->actionEnable_live_data->isChecked();
    if (d->channel)
        d->chartTimer.start();
    d->continuousDataTimer.stop();
}

} // namespace Core
} // namespace DirazSensorPlugin
