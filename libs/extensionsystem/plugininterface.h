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

    // Outcome of a step the host asks for in an unattended run.
    enum StepResult { StepDone = 0, StepUnknownId, StepRefused, StepNotConnected, StepFailed };
    Q_ENUM(StepResult)

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

    // Steps of unattended runs, done as a person would do them in the
    // plug-in's window. The base accepts none of them.
    // Connects through the port selector with the PC's settings winning.
    virtual void vConnectPcToSensor(QString comPort);
    // Changes a parameter as its editor would; VALUE as shown, the entry
    // index of a list, 0 or 1 for a truth value.
    virtual int nSetParameter(QString id, QString value);
    virtual int nClickParameter(QString id);
    // Saves the settings; the file dialog is answered with the unattended file.
    virtual void vActionSaveSettings();
    virtual void vActionReadAll();
    virtual void vActionWriteAll();
    // True while the plug-in still works on the last request (a transfer,
    // a delayed write, a notice).
    virtual bool bBusy();

signals:
    // A connection attempt has ended: identified with its whole set
    // transferred (true), or refused (false).
    void connectionFinished(bool connected);
    // A connected sensor went away without being asked to.
    void connectionLost();

protected:
    // Go to the registry the host installed; without one no channel is given.
    void vRegisterConnection(const PortSettings &settings, CommunicationInterface **channel,
                             PluginInterface *plugin);
    void vUnregisterConnection(PluginInterface *plugin);
    void vUnregisterPlugin(PluginInterface *plugin);
};

} // namespace ExtensionSystem
