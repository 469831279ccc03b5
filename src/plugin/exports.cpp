// The seven entry points the host resolves by name.
#include "catalogue/catalogue.h"
#include "plugin/sensorinterface.h"
#include "window/logcategories.h"

#include <extensionsystem/sensorbasic.h>

#include <list>
#include <new>

using DirazSensorPlugin::Core::SensorInterface;

extern "C" {

__attribute__((visibility("default"))) void vInitialisePlugin() {}

__attribute__((visibility("default"))) const char *pcMorvaleNDorixPluginName()
{
    return DirazSensorPlugin::Core::kPluginId;
}

__attribute__((visibility("default"))) const char *pcPluginVersion() { return "1.0.0"; }

__attribute__((visibility("default"))) const char *pcDescription()
{
    return "Plugin for handling MASTER IO_LINK-JR5  MORVALE ultra sonic sensors family";
}

__attribute__((visibility("default"))) const char *pcCommunicationType() { return "SERIAL"; }

__attribute__((visibility("default"))) void vSensorMap(std::list<ExtensionSystem::SensorBasic> *sensors)
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

__attribute__((visibility("default"))) ExtensionSystem::PluginInterface *
poGetInterfaceInstance(const ExtensionSystem::SensorBasic *sensor, QMdiSubWindow *subWindow)
{
    if (!subWindow)
        return nullptr;
    return new (std::nothrow) SensorInterface(sensor, subWindow);
}

} // extern "C"
