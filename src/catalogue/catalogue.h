#pragma once

#include "sensor.h"

#include <extensionsystem/sensorbasic.h>

#include <boost/property_tree/ptree.hpp>

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
// unparsable, too deeply nested or foreign file, and then `error` (when
// given) names the file and the reason.
std::list<ExtensionSystem::SensorBasic> catalogueList();
std::list<ExtensionSystem::SensorBasic> catalogueList(const std::string &filePath, std::string *error = nullptr);

// The first entry whose name matches, or a default Sensor.
Sensor catalogueLookup(const std::string &name);
Sensor catalogueLookup(const std::string &name, const std::string &filePath);
// The same in a document already parsed, so a window reads its file once.
Sensor catalogueLookup(const std::string &name, const boost::property_tree::ptree &document);

// The sensor list of a parsed document of ours; null with a reason for a
// foreign document or one without the list.
const boost::property_tree::ptree *catalogueSensorList(const boost::property_tree::ptree &document,
                                                       std::string &error);

} // namespace Core
} // namespace DirazSensorPlugin
