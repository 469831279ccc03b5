#pragma once

#include "catalogue/sensor.h"

#include <extensionsystem/communicationinterface.h>
#include <extensionsystem/sensorbasic.h>

#include <QAction>
#include <QMainWindow>
#include <QStringList>
#include <QVariant>

namespace DirazSensorPlugin {
namespace Core {

// The window of one opened sensor. (Foundation stand-in: the full window
// replaces this declaration.)
class SensorWindow : public QMainWindow
{
    Q_OBJECT
public:
    explicit SensorWindow(const ExtensionSystem::SensorBasic *sensor);
    ~SensorWindow() override;

    // The host's channel, lent while a port is registered; null otherwise.
    void setSerialChannel(ExtensionSystem::CommunicationInterface *channel);
    ExtensionSystem::CommunicationInterface *serialChannel() const;

    const Sensor &sensor() const { return m_sensor; }
    QAction *actionEnable_live_data = nullptr;

signals:
    void vAboutToClose();
    void vSendData(QString text);
    void vComPortSelected(QString port);

public slots:
    void updateComPortList(QStringList ports);
    void vAutoConnect(QString ComPort);
    void vSensorUpdate(QVariant mode);
    void vSensorUpdate(bool mode);
    void vSetCompleteName(QString str);
    bool bOpenSettings(QString fileName);
    void jumpToPlottingArea();

private:
    Sensor m_sensor;
    ExtensionSystem::CommunicationInterface *m_channel = nullptr;
    QString m_completeName;
};

} // namespace Core
} // namespace DirazSensorPlugin
