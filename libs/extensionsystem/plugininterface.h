#pragma once

#include "portsettings.h"
#include "sensorbasic.h"

#include <QAction>
#include <QList>
#include <QObject>
#include <QStringList>
#include <QVariant>

namespace ExtensionSystem {

class CommunicationInterface;

// Base of every plug-in object the host holds for one opened sensor.
class PluginInterface : public QObject
{
    Q_OBJECT
public:
    explicit PluginInterface(QObject *parent = nullptr);
    ~PluginInterface() override;

public slots:
    virtual QString getPluginName();
    virtual QString getPluginGroup();
    virtual QList<QAction *> getExtraItems();
    virtual void vSensorListUpdated(const QList<ExtensionSystem::SensorBasic> &list);
    virtual void vAvailablePortsUpdated(QStringList ports);
    virtual void vActionOpen(QString fileName);
    virtual void vAutoConnect(QString comPort);
    virtual void vSetCompleteNameDescription(QString str);
    virtual void vUpdate(QVariant value);
    virtual void vActionExit(QString text);
    virtual void vActionExport(const QString &fileName);
    virtual void setWindowActive(bool active);
    virtual void setSensorName(QString name);
    virtual QString getSensorName();

protected:
    // Go to the registry the host installed; without one no channel is given.
    void vRegisterConnection(const PortSettings &settings, CommunicationInterface **channel,
                             PluginInterface *plugin);
    void vUnregisterConnection(PluginInterface *plugin);
    void vUnregisterPlugin(PluginInterface *plugin);
};

} // namespace ExtensionSystem
