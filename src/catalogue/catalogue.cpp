#include "catalogue.h"

#include "descriptionfile.h"

#include <QCoreApplication>

#include <boost/property_tree/ptree.hpp>
#include <boost/property_tree/xml_parser.hpp>
#include <sstream>

namespace DirazSensorPlugin {
namespace Core {

namespace pt = boost::property_tree;

const char *const kPluginId = "IoLinkK4Kv7family";

std::string catalogueFilePath()
{
    const QString path = QCoreApplication::applicationDirPath() + "/" + kPluginId + ".xml";
    return path.toLatin1().toStdString();
}

const pt::ptree *catalogueSensorList(const pt::ptree &document, std::string &error)
{
    const auto id = document.get_optional<std::string>("document.documentId");
    if (!id) {
        error = "no document/documentId, so it is not a description of ours";
        return nullptr;
    }
    if (*id != kPluginId) {
        error = "documentId is \"" + *id + "\", not \"" + kPluginId + "\"";
        return nullptr;
    }
    const auto list = document.get_child_optional("document.sensorList");
    if (!list) {
        error = "no document/sensorList";
        return nullptr;
    }
    return &*list;
}

namespace {
// The sensorList of a readable file of ours, or null with the reason.
const pt::ptree *readSensorList(const std::string &filePath, pt::ptree &document, std::string &error)
{
    if (!loadDescriptionFile(filePath, document, error, pt::xml_parser::no_comments | pt::xml_parser::trim_whitespace))
        return nullptr;
    const pt::ptree *list = catalogueSensorList(document, error);
    if (!list)
        error = filePath + ": " + error;
    return list;
}

void writeEntry(std::stringstream &stream, const pt::ptree &entry)
{
    pt::write_xml(stream, entry, pt::xml_writer_make_settings<std::string>(' ', 0, "utf-8"));
}
} // namespace

std::list<ExtensionSystem::SensorBasic> catalogueList() { return catalogueList(catalogueFilePath()); }

std::list<ExtensionSystem::SensorBasic> catalogueList(const std::string &filePath, std::string *error)
{
    std::list<ExtensionSystem::SensorBasic> result;
    pt::ptree document;
    std::string reason;
    const pt::ptree *list = readSensorList(filePath, document, reason);
    if (!list) {
        if (error)
            *error = reason;
        return result;
    }
    ExtensionSystem::SensorBasic record;
    for (const auto &child : *list) {
        // A fresh stream per entry: the parser sees exactly one entry.
        std::stringstream stream;
        writeEntry(stream, child.second);
        if (record.fromXMLStream(stream))
            result.push_back(record);
    }
    if (result.empty() && error)
        *error = filePath + ": the sensor list holds no model with a name and an id";
    return result;
}

Sensor catalogueLookup(const std::string &name) { return catalogueLookup(name, catalogueFilePath()); }

Sensor catalogueLookup(const std::string &name, const std::string &filePath)
{
    pt::ptree document;
    std::string error;
    if (!loadDescriptionFile(filePath, document, error, pt::xml_parser::no_comments | pt::xml_parser::trim_whitespace))
        return Sensor();
    return catalogueLookup(name, document);
}

Sensor catalogueLookup(const std::string &name, const pt::ptree &document)
{
    std::string error;
    const pt::ptree *list = catalogueSensorList(document, error);
    if (!list)
        return Sensor();
    try {
        for (const auto &child : *list) {
            if (child.second.get<std::string>("name") != name)
                continue;
            std::stringstream stream;
            writeEntry(stream, child.second);
            Sensor sensor;
            sensor.fromXMLStream(stream);
            return sensor;
        }
    } catch (const pt::ptree_error &) {
        return Sensor();
    }
    return Sensor();
}

} // namespace Core
} // namespace DirazSensorPlugin
