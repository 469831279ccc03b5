#include "sensor.h"

#include <extensionsystem/globals.h>

#include <boost/property_tree/xml_parser.hpp>

namespace DirazSensorPlugin {
namespace Core {

namespace pt = boost::property_tree;

namespace {
// A catalogue number that is absent or not a number counts as 0.
int entryInt(const pt::ptree &entry, const char *path)
{
    const auto text = entry.get_optional<std::string>(path);
    if (!text)
        return 0;
    try {
        size_t used = 0;
        const std::string trimmed = text->substr(text->find_first_not_of(" \t\r\n") == std::string::npos
                                                     ? text->size()
                                                     : text->find_first_not_of(" \t\r\n"));
        const int value = std::stoi(trimmed, &used);
        return trimmed.find_first_not_of(" \t\r\n", used) == std::string::npos ? value : 0;
    } catch (const std::exception &) {
        return 0;
    }
}

const pt::ptree &emptyTree()
{
    static const pt::ptree empty;
    return empty;
}
} // namespace

Sensor::Sensor() : m_language(ExtensionSystem::Globals::getLanguage()) {}
Sensor::~Sensor() = default;

bool Sensor::fromXMLStream(std::stringstream &stream)
{
    std::stringstream copy(stream.str());
    try {
        pt::read_xml(stream, m_entry, pt::xml_parser::no_comments);
    } catch (const pt::ptree_error &) {
        m_entry.clear();
    }
    return SensorBasic::fromXMLStream(copy);
}

int Sensor::characterDelay() const { return entryInt(entry(), "portsettings.characterdelay"); }
int Sensor::lineDelay() const { return entryInt(entry(), "portsettings.linedelay"); }
bool Sensor::thresholdsReadOnly() const { return entryInt(entry(), "chartsettings.thresholdsreadonly") != 0; }

const pt::ptree &Sensor::variants() const
{
    const auto child = m_entry.get_child_optional("sensors");
    return child ? *child : emptyTree();
}

} // namespace Core
} // namespace DirazSensorPlugin
