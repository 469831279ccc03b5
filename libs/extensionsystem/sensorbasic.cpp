#include "sensorbasic.h"

#include <boost/property_tree/ptree.hpp>
#include <boost/property_tree/xml_parser.hpp>

namespace ExtensionSystem {

bool SensorBasic::fromXMLStream(std::stringstream &stream)
{
    namespace pt = boost::property_tree;
    pt::ptree tree;
    try {
        pt::read_xml(stream, tree, pt::xml_parser::no_comments | pt::xml_parser::trim_whitespace);
    } catch (const pt::ptree_error &) {
        return false;
    }
    // The writer emits the entry's children at top level, or the entry wrapped
    // in its element; accept both.
    const pt::ptree *entry = &tree;
    if (!tree.get_child_optional("name") && tree.size() == 1)
        entry = &tree.front().second;
    const auto id = entry->get_optional<std::string>("id");
    const auto name = entry->get_optional<std::string>("name");
    if (!id || !name)
        return false;
    m_id = *id;
    m_name = *name;
    return true;
}

} // namespace ExtensionSystem
