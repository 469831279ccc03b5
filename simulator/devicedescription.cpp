#include "simulator/devicedescription.h"

#include <boost/property_tree/ptree.hpp>
#include <boost/property_tree/xml_parser.hpp>

#include <algorithm>
#include <cstdlib>

namespace IoLinkSim {

namespace pt = boost::property_tree;

namespace {

bool parseNumber(const std::string &text, double *out)
{
    const char *begin = text.c_str();
    char *end = nullptr;
    const double value = std::strtod(begin, &end);
    if (end == begin)
        return false;
    while (*end == ' ' || *end == '\t' || *end == '\n' || *end == '\r')
        ++end;
    if (*end != '\0')
        return false;
    *out = value;
    return true;
}

double numberOr(const pt::ptree &node, const char *key, double fallback)
{
    double value = fallback;
    if (!parseNumber(node.get<std::string>(key, ""), &value))
        return fallback;
    return value;
}

bool kindOf(const std::string &type, ParameterInfo::Kind *kind)
{
    using K = ParameterInfo::Kind;
    static const std::pair<const char *, K> kinds[] = {
        {"enumerator", K::Enumerator}, {"int", K::Int}, {"double", K::Double}, {"bool", K::Bool},
        {"action", K::Action}, {"string", K::String}};
    for (const auto &k : kinds) {
        if (type == k.first) {
            *kind = k.second;
            return true;
        }
    }
    return false;
}

void addNode(const pt::ptree &node, std::vector<ParameterInfo> *out)
{
    ParameterInfo info;
    double index = 0, subIndex = 0, size = 0;
    if (kindOf(node.get<std::string>("type", ""), &info.kind)
        && parseNumber(node.get<std::string>("index", ""), &index)
        && parseNumber(node.get<std::string>("subIndex", ""), &subIndex)
        && parseNumber(node.get<std::string>("size", ""), &size)) {
        info.id = node.get<std::string>("id", "");
        info.index = int(index);
        info.subIndex = int(subIndex);
        info.size = int(size);
        if (info.kind == ParameterInfo::Kind::String)
            info.defaultText = node.get<std::string>("defaultvalue", "");
        else
            info.defaultNumber = numberOr(node, "defaultvalue", 0);
        info.minimum = numberOr(node, "min", 0);
        info.maximum = numberOr(node, "max", 0);
        double unused = 0;
        info.hasLimits = parseNumber(node.get<std::string>("min", ""), &unused)
                         && parseNumber(node.get<std::string>("max", ""), &unused);
        info.readOnly = node.get<std::string>("readonly", "") == "true";
        if (const auto items = node.get_child_optional("items"))
            info.itemCount = int(items->size());
        out->push_back(info);
    }
    for (const auto &child : node) {
        if (child.first == "property")
            addNode(child.second, out);
    }
}

} // namespace

bool DeviceDescription::load(const std::string &path, std::string *error)
{
    m_parameters.clear();
    m_variants.clear();
    pt::ptree tree;
    try {
        pt::read_xml(path, tree, pt::xml_parser::no_comments);
    } catch (const pt::ptree_error &e) {
        if (error)
            *error = e.what();
        return false;
    }
    if (const auto params = tree.get_child_optional("document.treeGui.default")) {
        for (const auto &node : *params)
            addNode(node.second, &m_parameters);
    }
    if (const auto models = tree.get_child_optional("document.sensorList")) {
        for (const auto &model : *models) {
            const std::string modelId = model.second.get<std::string>("id", "");
            const std::string modelName = model.second.get<std::string>("name", "");
            const auto variants = model.second.get_child_optional("sensors");
            if (!variants)
                continue;
            for (const auto &v : *variants) {
                VariantInfo info;
                info.modelId = modelId;
                info.modelName = modelName;
                info.id3 = v.second.get<std::string>("ID3", "");
                info.productName = v.second.get<std::string>("productName", "");
                if (info.productName.empty())
                    info.productName = productNameFor(modelId, info.id3);
                info.analogOutput = v.second.get<std::string>("analogOutput", "") == "1";
                info.maxRange = int(numberOr(v.second, "maxRange", 0));
                info.minRange = int(numberOr(v.second, "minRange", 0));
                m_variants.push_back(info);
            }
        }
    }
    return true;
}

const ParameterInfo *DeviceDescription::find(const std::string &id) const
{
    for (const ParameterInfo &p : m_parameters) {
        if (p.id == id)
            return &p;
    }
    return nullptr;
}

std::string DeviceDescription::productNameFor(const std::string &modelId, const std::string &id3)
{
    const std::size_t keep = id3.size() < 8 ? 8 - id3.size() : 0;
    return modelId.substr(0, std::min<std::size_t>(keep, 4)) + id3;
}

} // namespace IoLinkSim
