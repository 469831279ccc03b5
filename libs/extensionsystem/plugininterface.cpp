#include "plugininterface.h"

#include "connectionregistry.h"

namespace ExtensionSystem {

PluginInterface::PluginInterface(QObject *parent) : QObject(parent) {}
PluginInterface::~PluginInterface() = default;

QString PluginInterface::getPluginName() { return QString(); }
QString PluginInterface::getPluginGroup() { return QString(); }
QList<QAction *> PluginInterface::getExtraItems() { return {}; }
void PluginInterface::vSensorListUpdated(const QList<SensorBasic> &) {}
void PluginInterface::vAvailablePortsUpdated(QStringList) {}
void PluginInterface::vActionOpen(QString) {}
void PluginInterface::vAutoConnect(QString) {}
void PluginInterface::vSetCompleteNameDescription(QString) {}
void PluginInterface::vUpdate(QVariant) {}
void PluginInterface::vActionExit(QString) {}
void PluginInterface::vActionExport(const QString &) {}
void PluginInterface::setWindowActive(bool) {}
void PluginInterface::setSensorName(QString) {}
QString PluginInterface::getSensorName() { return QString(); }
void PluginInterface::vConnectPcToSensor(QString) {}
int PluginInterface::nSetParameter(QString, QString) { return StepFailed; }
int PluginInterface::nClickParameter(QString) { return StepFailed; }
void PluginInterface::vActionSaveSettings() {}
void PluginInterface::vActionReadAll() {}
void PluginInterface::vActionWriteAll() {}
bool PluginInterface::bBusy() { return false; }

void PluginInterface::vRegisterConnection(const PortSettings &settings, CommunicationInterface **channel,
                                          PluginInterface *plugin)
{
    if (!channel)
        return;
    *channel = nullptr;
    if (ConnectionRegistry *registry = ConnectionRegistry::instance())
        registry->registerConnection(settings, channel, plugin);
}

void PluginInterface::vUnregisterConnection(PluginInterface *plugin)
{
    if (ConnectionRegistry *registry = ConnectionRegistry::instance())
        registry->unregisterConnection(plugin);
}

void PluginInterface::vUnregisterPlugin(PluginInterface *plugin)
{
    if (ConnectionRegistry *registry = ConnectionRegistry::instance())
        registry->unregisterPlugin(plugin);
}

} // namespace ExtensionSystem
