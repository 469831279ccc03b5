#pragma once

#include <extensionsystem/plugininterface.h>
#include <extensionsystem/sensorbasic.h>

#include <QLibrary>
#include <QString>
#include <QStringList>
#include <list>

class QMdiSubWindow;

// A sensor plug-in loaded from its file, its seven exports resolved by name.
class PluginLibrary
{
public:
    bool load(const QString &filePath);
    QString errorString() const { return m_error; }

    QString pluginName() const;
    QString version() const;
    QString description() const;
    QString communicationType() const;
    std::list<ExtensionSystem::SensorBasic> sensors() const;
    // The same, and the warnings the plug-in logged while listing: a plug-in
    // has no other way to say why its list is empty.
    std::list<ExtensionSystem::SensorBasic> sensors(QStringList *warnings) const;
    // The host owns the returned object.
    ExtensionSystem::PluginInterface *createInstance(const ExtensionSystem::SensorBasic *sensor,
                                                     QMdiSubWindow *subWindow) const;

private:
    using TextFn = const char *(*)();
    using InitFn = void (*)();
    using MapFn = void (*)(std::list<ExtensionSystem::SensorBasic> *);
    using CreateFn = ExtensionSystem::PluginInterface *(*)(const ExtensionSystem::SensorBasic *, QMdiSubWindow *);

    QLibrary m_library;
    QString m_error;
    InitFn m_init = nullptr;
    TextFn m_name = nullptr;
    TextFn m_version = nullptr;
    TextFn m_description = nullptr;
    TextFn m_communicationType = nullptr;
    MapFn m_sensorMap = nullptr;
    CreateFn m_create = nullptr;
};
