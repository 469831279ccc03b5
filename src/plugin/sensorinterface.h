#pragma once

#include <extensionsystem/plugininterface.h>
#include <extensionsystem/portsettings.h>

#include <QMdiSubWindow>
#include <QPointer>
#include <QTimer>

#include "window/sensorwindow.h"
#include <string>

namespace ExtensionSystem {
class CommunicationInterface;
}

namespace DirazSensorPlugin {
namespace Core {


// What the host holds for one opened sensor: owns the window and relays
// port selection and the channel between host and window.
class SensorInterface : public ExtensionSystem::PluginInterface
{
    Q_OBJECT
public:
    SensorInterface(const ExtensionSystem::SensorBasic *sensor, QMdiSubWindow *subWindow);
    ~SensorInterface() override;

    SensorWindow *window() const { return m_window; }
    bool isConnected() const { return m_connected; }
    const ExtensionSystem::PortSettings &portSettings() const { return m_portSettings; }

public slots:
    QString getPluginName() override;
    QString getPluginGroup() override;
    QList<QAction *> getExtraItems() override;
    void vComPortListChanged();
    void vComPortChanged(QString port);
    void vSendDataBytes(QString text);
    void vReceivedData(QString text);
    void vAvailablePortsUpdated(QStringList ports) override;
    void vActionOpen(QString fileName) override;
    void vActionExit(QString text) override;
    void setWindowActive(bool active) override;
    void vAboutToClose();
    void vAutoConnect(QString comPort) override;
    void vUpdate(QVariant value) override;
    void vSetCompleteNameDescription(QString str) override;
    void setSensorName(QString name) override;
    QString getSensorName() override;
    void vConnectPcToSensor(QString comPort) override;
    int nSetParameter(QString id, QString value) override;
    int nClickParameter(QString id) override;
    void vActionSaveSettings() override;
    void vActionReadAll() override;
    void vActionWriteAll() override;
    bool bBusy() override;

private slots:
    void receivedData(std::string text);

private:
    // Follows a connection the host asked for until it has completed, and
    // then until it is lost.
    void vWatchConnection();
    void vConnectionWatchTick();

    bool m_connected = false;
    QTimer m_connectionWatch;
    int m_connectCalls = 0; // a connection call still on the stack decides nothing yet
    enum class Watch { Idle, Connecting, Connected } m_watch = Watch::Idle;
    QPointer<SensorWindow> m_window;
    ExtensionSystem::PortSettings m_portSettings;
    // Guarded: the host deletes the channel when it takes the port back.
    QPointer<ExtensionSystem::CommunicationInterface> m_channel;
    QString m_sensorName;
};

} // namespace Core
} // namespace DirazSensorPlugin
