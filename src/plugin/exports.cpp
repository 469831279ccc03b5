// The seven entry points the host resolves by name.
#include "catalogue/catalogue.h"
#include "plugin/pluginexport.h"
#include "plugin/sensorinterface.h"
#include "window/logcategories.h"

#include <extensionsystem/sensorbasic.h>

#include <list>
#include <new>

using DirazSensorPlugin::Core::SensorInterface;

extern "C" {

K4K_PLUGIN_EXPORT void K4K_PLUGIN_CALL vInitialisePlugin() {}

K4K_PLUGIN_EXPORT const char *K4K_PLUGIN_CALL pcMorvaleNDorixPluginName()
{
    return DirazSensorPlugin::Core::kPluginId;
}

K4K_PLUGIN_EXPORT const char *K4K_PLUGIN_CALL pcPluginVersion() { return "1.0.0"; }

K4K_PLUGIN_EXPORT const char *K4K_PLUGIN_CALL pcDescription()
{
    return "Plugin for handling MASTER IO_LINK-JR5  MORVALE ultra sonic sensors family";
}

K4K_PLUGIN_EXPORT const char *K4K_PLUGIN_CALL pcCommunicationType() { return "SERIAL"; }

K4K_PLUGIN_EXPORT void K4K_PLUGIN_CALL vSensorMap(std::list<ExtensionSystem::SensorBasic> *sensors)
{
    if (!sensors)
        return;
    std::string error;
    std::list<ExtensionSystem::SensorBasic> built =
        DirazSensorPlugin::Core::catalogueList(DirazSensorPlugin::Core::catalogueFilePath(), &error);
    // The host learns of a broken file only through this line.
    if (!error.empty())
        qCWarning(lcCatalogue, "%s", error.c_str());
    if (sensors != &built) {
        sensors->clear();
        sensors->splice(sensors->end(), built);
    }
}

K4K_PLUGIN_EXPORT ExtensionSystem::PluginInterface *K4K_PLUGIN_CALL
poGetInterfaceInstance(const ExtensionSystem::SensorBasic *sensor, QMdiSubWindow *subWindow)
{
    if (!subWindow)
        return nullptr;
    return new (std::nothrow) SensorInterface(sensor, subWindow);
}

} // extern "C"
