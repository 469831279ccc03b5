#include "sensorinterface.h"

#include "persistence/dialoglayer.h"
#include "window/sensorwindow.h"
#include "window/sensorwindowui.h"

#include <extensionsystem/communicationinterface.h>

namespace DirazSensorPlugin {
namespace Core {

SensorInterface::SensorInterface(const ExtensionSystem::SensorBasic *sensor, QMdiSubWindow *subWindow)
{
    m_window = new SensorWindow(sensor);
    subWindow->setWidget(m_window);
    m_window->resize(800, 500);
    m_window->show();
    connect(m_window, &SensorWindow::vSendData, this, &SensorInterface::vSendDataBytes);
    connect(m_window, &SensorWindow::vComPortSelected, this, &SensorInterface::vComPortChanged);
    connect(m_window, &SensorWindow::vAboutToClose, this, &SensorInterface::vAboutToClose);
    m_connected = false;
    m_connectionWatch.setInterval(50);
    connect(&m_connectionWatch, &QTimer::timeout, this, &SensorInterface::vConnectionWatchTick);
}

SensorInterface::~SensorInterface()
{
    vUnregisterPlugin(this);
    // The sub-window may already have deleted it with itself.
    delete m_window.data();
}

QString SensorInterface::getPluginName() { return QStringLiteral("DirazSensorPlugin"); }
QString SensorInterface::getPluginGroup() { return QStringLiteral("DirazSensors"); }
QList<QAction *> SensorInterface::getExtraItems() { return {}; }

void SensorInterface::vComPortListChanged() {}

void SensorInterface::vComPortChanged(QString port)
{
    if (port.isEmpty()) {
        if (m_connected) {
            vUnregisterConnection(this);
            m_channel = nullptr;
            if (m_window)
                m_window->setSerialChannel(nullptr);
            m_portSettings.vInit();
            m_connected = false;
        }
        return;
    }
    // A port refused before may be free now: only a held port is left alone.
    if (m_connected && port == m_portSettings.portName)
        return;
    if (m_connected)
        vUnregisterConnection(this);
    m_connected = false;
    m_portSettings.vInit();
    m_portSettings.portName = port;
    if (m_window) {
        m_portSettings.characterDelay = m_window->sensor().characterDelay();
        m_portSettings.lineDelay = m_window->sensor().lineDelay();
    }
    m_portSettings.reserved = 0;
    ExtensionSystem::CommunicationInterface *lent = nullptr;
    vRegisterConnection(m_portSettings, &lent, this);
    m_channel = lent;
    m_connected = lent != nullptr;
    // The window always learns the outcome: the channel it held may be gone
    // with the port given up above, and a refusal leaves it none.
    if (m_window)
        m_window->setSerialChannel(m_channel);
}

void SensorInterface::vSendDataBytes(QString text)
{
    if (!m_channel)
        return;
    const QByteArray bytes = text.toLatin1();
    m_channel->sendText(std::string(bytes.constData()));
}

void SensorInterface::vReceivedData(QString) {}

void SensorInterface::vAvailablePortsUpdated(QStringList ports)
{
    if (!m_window)
        return;
    disconnect(m_window, &SensorWindow::vComPortSelected, this, &SensorInterface::vComPortChanged);
    QStringList list = ports;
    if (m_connected)
        list.append(m_portSettings.portName);
    m_window->updateComPortList(list);
    connect(m_window, &SensorWindow::vComPortSelected, this, &SensorInterface::vComPortChanged);
}

void SensorInterface::vActionOpen(QString fileName)
{
    if (m_window)
        m_window->bOpenSettings(fileName);
}

void SensorInterface::vActionExit(QString)
{
    if (m_window)
        m_window->close();
}

void SensorInterface::setWindowActive(bool active)
{
    if (m_window && active && m_window->ui->actionEnable_live_data->isChecked())
        m_window->jumpToPlottingArea();
}

void SensorInterface::vAboutToClose() { vUnregisterConnection(this); }

void SensorInterface::vAutoConnect(QString comPort)
{
    if (!m_window)
        return;
    vWatchConnection();
    ++m_connectCalls;
    m_window->vAutoConnect(comPort);
    --m_connectCalls;
}

void SensorInterface::vConnectPcToSensor(QString comPort)
{
    if (!m_window)
        return;
    vWatchConnection();
    DialogLayer::setUnattendedConnectionChoice(2);
    ++m_connectCalls;
    m_window->vChoosePort(comPort);
    --m_connectCalls;
    DialogLayer::setUnattendedConnectionChoice(1);
}

void SensorInterface::vWatchConnection()
{
    m_watch = Watch::Connecting;
    m_connectionWatch.start();
}

void SensorInterface::vConnectionWatchTick()
{
    if (!m_window) {
        m_connectionWatch.stop();
        return;
    }
    if (m_connectCalls > 0 || m_window->bWorking())
        return;
    const bool complete = m_window->bConnectionComplete();
    if (m_watch == Watch::Connecting) {
        m_watch = complete ? Watch::Connected : Watch::Idle;
        if (!complete)
            m_connectionWatch.stop();
        emit connectionFinished(complete);
    } else if (m_watch == Watch::Connected && !complete) {
        m_watch = Watch::Idle;
        m_connectionWatch.stop();
        emit connectionLost();
    }
}

int SensorInterface::nSetParameter(QString id, QString value)
{
    if (!m_window)
        return StepFailed;
    return m_window->nSetParameterAsEditor(id, value);
}

int SensorInterface::nClickParameter(QString id)
{
    if (!m_window)
        return StepFailed;
    return m_window->nClickTreeButton(id);
}

void SensorInterface::vActionSaveSettings()
{
    if (m_window)
        m_window->vSaveSettings();
}

void SensorInterface::vActionReadAll()
{
    if (m_window)
        m_window->vRadAllSettings(true);
}

void SensorInterface::vActionWriteAll()
{
    if (m_window)
        m_window->vWriteAllSettings(true);
}

bool SensorInterface::bBusy() { return m_window && m_window->bWorking(); }

void SensorInterface::vUpdate(QVariant value)
{
    if (m_window)
        m_window->vSensorUpdate(value.toBool());
}

void SensorInterface::vSetCompleteNameDescription(QString str)
{
    if (m_window)
        m_window->vSetCompleteName(str);
}

void SensorInterface::setSensorName(QString name) { m_sensorName = name; }
QString SensorInterface::getSensorName() { return m_sensorName; }

void SensorInterface::receivedData(std::string text) { (void)QString::fromStdString(text); }

} // namespace Core
} // namespace DirazSensorPlugin
