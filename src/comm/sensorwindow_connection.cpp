// Attaching the window to a sensor: the port selector, the choice of the
// winning side, probing the master, identifying the sensor by its product
// name, and returning to Offline.

#include "window/sensorwindow.h"

#include "comm/masterframes.h"
#include "comm/pause.h"
#include "live/pollsequence.h"
#include "window/logcategories.h"
#include "persistence/dialoglayer.h"
#include "window/sensorwindowprivate.h"
#include "window/sensorwindowui.h"

#include <extensionsystem/portsettings.h>
#include <utils/connectionstatus.h>
#include <utils/genericchart.h>
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
constexpr int kLossyIdentifyAttempts = 3;
constexpr int kToleratedIdentifyLosses = 1;
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
                d->liveData = connected;
                ui->actionEnable_live_data->setChecked(connected);
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
            }
            if (connected) {
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
    if (bNoticeCancelled())
        vGoOfflineAfterCancel();
    ui->sensorOperationsToolbar->setEnabled(connected);
    vShowConnectionState();
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
    if (bNoticeCancelled())
        vGoOfflineAfterCancel();
    vShowConnectionState();
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
    if (!connected)
        return;
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
    QString why;
    d->unansweredInARow = 0;
    if (d->channel) {
        ExtensionSystem::PortSettings settings = d->channel->portSettings();
        const QString port = settings.portName.isEmpty() ? d->portSelector->currentText() : settings.portName;
        bool probed = false;
        for (int attempt = 0; attempt < kProbeAttempts && !probed && !bNoticeCancelled(); ++attempt) {
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
        if (!probed) {
            why = QCoreApplication::translate("SensorWindow", "no answer from the master on %1").arg(port);
        } else {
            d->selectedSensorId = QString::fromStdString(sensorRecord.id());
            d->connectedProductName.clear();
            IdentifyOutcome outcome = IdentifyOutcome::Lossy;
            int lossyAttempts = 0;
            for (int attempt = 0;
                 attempt < kIdentifyAttempts && outcome != IdentifyOutcome::Matched && !bNoticeCancelled(); ++attempt) {
                outcome = identifySensor();
                // A line that keeps losing answers would hold the notice for
                // minutes; a few lossy attempts in a row say enough.
                lossyAttempts = outcome == IdentifyOutcome::Lossy ? lossyAttempts + 1 : 0;
                if (lossyAttempts >= kLossyIdentifyAttempts || !d->channel)
                    break;
            }
            accepted = outcome == IdentifyOutcome::Matched && d->connectedProductName.size() <= kMaxProductNameLength;
            if (!accepted && outcome == IdentifyOutcome::Lossy && d->connectedProductName.isEmpty())
                why = QCoreApplication::translate("SensorWindow", "the line loses answers");
            else if (!accepted)
                why = QCoreApplication::translate("SensorWindow", "the sensor answers as %1").arg(d->connectedProductName);
        }
    }
    if (!accepted && bNoticeCancelled()) {
        connected = false;
        return false;
    }
    if (!accepted) {
        if (why.isEmpty())
            why = QCoreApplication::translate("SensorWindow", "no port is open for the sensor");
        qCWarning(lcConnection) << "sensor refused:" << why;
        vShowProgress(false);
        DialogLayer::warning(this, QCoreApplication::translate("SensorWindow", "Connecting to sensor..."),
                             QCoreApplication::translate("SensorWindow", "The connected sensor does not match currently selected sensor, "
                                "please try again with the proper sensor")
                                 + QLatin1Char('\n') + why,
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

SensorWindow::IdentifyOutcome SensorWindow::identifySensor()
{
    // One lost acknowledgement is tolerated, as a slightly lossy line still
    // identifies; a second one ends the attempt, so a line that loses many
    // answers is not waited out time-out after time-out.
    int lost = 0;
    const auto answered = [this, &lost](const std::string &command, double timeoutMs) {
        DataFrame frame(1);
        ExtensionSystem::FrameEntry &entry = frame.front();
        entry.command = command;
        entry.expectedAnswer = ".*";
        entry.timeoutMs = timeoutMs;
        sendDataFrame(&frame, false);
        const QByteArray answer = frameBytes(entry.answer);
        if (entry.status != 0 && answerCountMatches(answer))
            return answer;
        ++lost;
        return QByteArray();
    };
    for (const std::string &command : {linkProbeFrame(), identifyStep2Frame(), cycleFrame(), identifyStep4Frame(),
                                       productNameReadFrame(), cycleFrame()}) {
        answered(command, 2000.0);
        if (lost > kToleratedIdentifyLosses)
            return IdentifyOutcome::Lossy;
    }
    pauseMs(50);
    answered(cycleFrame(), 2000.0);
    if (lost > kToleratedIdentifyLosses)
        return IdentifyOutcome::Lossy;
    pauseMs(50);

    const std::string fetch = fetchResultFrame();
    const int commandLength = int(fetch.size());
    QByteArray text = answered(fetch, double(commandLength * sensorRecord.characterDelay() + sensorRecord.lineDelay() + 2000));
    if (text.isEmpty())
        return IdentifyOutcome::Lossy;
    d->connectedProductName = QString::fromLatin1(textAnswerOctets(text));
    if (d->connectedProductName.size() < 3)
        return IdentifyOutcome::Mismatch;
    return d->connectedProductName.left(3) == d->selectedSensorId.left(3) ? IdentifyOutcome::Matched
                                                                            : IdentifyOutcome::Mismatch;
}

// A device that fell silent in the middle of a whole-set pass is let go as
// polling lets go of one: Offline, and the person is told.
void SensorWindow::vAbandonSilentSensor()
{
    qCWarning(lcConnection) << d->unansweredInARow << "requests in a row went unanswered: sensor lost";
    d->afterConnect = false;
    d->autoConnecting = false;
    d->ReadRetryList.clear();
    vReportTransferProgress(0, 0);
    vCloseConnectionNotice();
    if (connected || d->connectionReady)
        vSensorLost();
    d->unansweredInARow = 0;
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
    // Whatever the indicator was told above, it must not claim a connection
    // that is gone, and the values shown are no longer live.
    vShowConnectionState();
    vMarkProcessDataStale(true);
}

void SensorWindow::vShowConnectionState()
{
    d->connectionStatus->setConnected(connected);
    // The chart is live, and its editable markers can be dragged, exactly
    // while a sensor is connected.
    if (d->chart)
        d->chart->setEnabled(connected);
}

} // namespace Core
} // namespace DirazSensorPlugin
