#pragma once

#include <extensionsystem/connectionregistry.h>
#include <extensionsystem/serialchannel.h>

#include <QObject>
#include <QStringList>
#include <map>
#include <memory>

// One serial channel per port, lent to at most one plug-in object at a time.
class HostConnectionRegistry : public QObject, public ExtensionSystem::ConnectionRegistry
{
    Q_OBJECT
public:
    explicit HostConnectionRegistry(QObject *parent = nullptr);
    ~HostConnectionRegistry() override;

    void registerConnection(const ExtensionSystem::PortSettings &settings,
                            ExtensionSystem::CommunicationInterface **channel,
                            ExtensionSystem::PluginInterface *plugin) override;
    void unregisterConnection(ExtensionSystem::PluginInterface *plugin) override;
    void unregisterPlugin(ExtensionSystem::PluginInterface *plugin) override;

    QStringList portsInUse() const;

signals:
    void registrationsChanged();
    void portFailed(const QString &port, const QString &error);

private:
    struct Connection
    {
        QString port;
        std::unique_ptr<ExtensionSystem::SerialChannel> channel;
    };
    std::map<ExtensionSystem::PluginInterface *, Connection> m_connections;
};
