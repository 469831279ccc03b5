#include "hostconnectionregistry.h"

HostConnectionRegistry::HostConnectionRegistry(QObject *parent) : QObject(parent)
{
    ExtensionSystem::ConnectionRegistry::setInstance(this);
}

HostConnectionRegistry::~HostConnectionRegistry()
{
    if (ExtensionSystem::ConnectionRegistry::instance() == this)
        ExtensionSystem::ConnectionRegistry::setInstance(nullptr);
}

void HostConnectionRegistry::registerConnection(const ExtensionSystem::PortSettings &settings,
                                                ExtensionSystem::CommunicationInterface **channel,
                                                ExtensionSystem::PluginInterface *plugin)
{
    *channel = nullptr;
    for (const auto &entry : m_connections) {
        if (entry.first != plugin && entry.second.port == settings.portName)
            return; // another sensor window holds this port
    }
    m_connections.erase(plugin);
    auto serial = std::make_unique<ExtensionSystem::SerialChannel>();
    serial->setPortSettings(settings);
    if (!serial->isOpen()) {
        emit portFailed(settings.portName, serial->lastError());
        return;
    }
    *channel = serial.get();
    m_connections[plugin] = Connection{settings.portName, std::move(serial)};
    emit registrationsChanged();
}

void HostConnectionRegistry::unregisterConnection(ExtensionSystem::PluginInterface *plugin)
{
    if (m_connections.erase(plugin) > 0)
        emit registrationsChanged();
}

void HostConnectionRegistry::unregisterPlugin(ExtensionSystem::PluginInterface *plugin)
{
    unregisterConnection(plugin);
}

QStringList HostConnectionRegistry::portsInUse() const
{
    QStringList ports;
    for (const auto &entry : m_connections)
        ports << entry.second.port;
    return ports;
}
