#pragma once

#include "sensor.h"

#include <extensionsystem/sensorbasic.h>

#include <list>
#include <string>

namespace DirazSensorPlugin {
namespace Core {

// The plug-in identifier: plug-in name, description file base name,
// required documentId and settings-file pluginid.
extern const char *const kPluginId;

// Path of the catalogue and description file beside the host program.
std::string catalogueFilePath();

// Every entry the host's parser accepts, in file order; empty for a missing,
// unparsable or foreign file.
std::list<ExtensionSystem::SensorBasic> catalogueList();
std::list<ExtensionSystem::SensorBasic> catalogueList(const std::string &filePath);

// The first entry whose name matches, or a default Sensor.
Sensor catalogueLookup(const std::string &name);
Sensor catalogueLookup(const std::string &name, const std::string &filePath);

} // namespace Core
} // namespace DirazSensorPlugin
