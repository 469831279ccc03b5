#pragma once

#include "portsettings.h"

namespace ExtensionSystem {

class CommunicationInterface;
class PluginInterface;

// Installed by the host application: hands out one channel per port.
class ConnectionRegistry
{
public:
    virtual ~ConnectionRegistry() = default;
    // Stores a channel for the port in *channel, or null when none can be had
    // (for instance the port is held by another plug-in object).
    virtual void registerConnection(const PortSettings &settings, CommunicationInterface **channel,
                                    PluginInterface *plugin) = 0;
    virtual void unregisterConnection(PluginInterface *plugin) = 0;
    virtual void unregisterPlugin(PluginInterface *plugin) = 0;

    static ConnectionRegistry *instance();
    static void setInstance(ConnectionRegistry *registry);
};

} // namespace ExtensionSystem
