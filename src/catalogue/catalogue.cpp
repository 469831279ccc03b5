#include "catalogue.h"

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

namespace {
// The sensorList of a readable file of ours, or null. A file without
// documentId or sensorList counts as foreign.
const pt::ptree *readSensorList(const std::string &filePath, pt::ptree &document)
{
    try {
        pt::read_xml(filePath, document, pt::xml_parser::no_comments | pt::xml_parser::trim_whitespace);
        if (document.get<std::string>("document.documentId") != kPluginId)
            return nullptr;
        return &document.get_child("document.sensorList");
    } catch (const pt::ptree_error &) {
        return nullptr;
    }
}

void writeEntry(std::stringstream &stream, const pt::ptree &entry)
{
    pt::write_xml(stream, entry, pt::xml_writer_make_settings<std::string>(' ', 0, "utf-8"));
}
} // namespace

std::list<ExtensionSystem::SensorBasic> catalogueList() { return catalogueList(catalogueFilePath()); }

std::list<ExtensionSystem::SensorBasic> catalogueList(const std::string &filePath)
{
    std::list<ExtensionSystem::SensorBasic> result;
    pt::ptree document;
    const pt::ptree *list = readSensorList(filePath, document);
    if (!list)
        return result;
    ExtensionSystem::SensorBasic record;
    for (const auto &child : *list) {
        // A fresh stream per entry: the parser sees exactly one entry.
        std::stringstream stream;
        writeEntry(stream, child.second);
        if (record.fromXMLStream(stream))
            result.push_back(record);
    }
    return result;
}

Sensor catalogueLookup(const std::string &name) { return catalogueLookup(name, catalogueFilePath()); }

Sensor catalogueLookup(const std::string &name, const std::string &filePath)
{
    pt::ptree document;
    const pt::ptree *list = readSensorList(filePath, document);
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
