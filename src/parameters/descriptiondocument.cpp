#include "descriptiondocument.h"

#include "catalogue/descriptionfile.h"

#include <boost/property_tree/xml_parser.hpp>

#include <limits>
#include <locale>
#include <sstream>

namespace DirazSensorPlugin {
namespace Core {
namespace Description {

namespace pt = boost::property_tree;

bool readFile(const std::string &path, Tree &out)
{
    std::string error;
    return loadDescriptionFile(path, out, error, pt::xml_parser::no_comments);
}

bool readStream(std::istream &in, Tree &out)
{
    std::ostringstream text;
    text << in.rdbuf();
    std::string error;
    return parseDescriptionText(text.str(), out, error, pt::xml_parser::no_comments);
}

bool isElementKey(const std::string &key)
{
    return !key.empty() && key.front() != '<';
}

bool hasChildElement(const Tree &node)
{
    for (const auto &child : node)
        if (isElementKey(child.first))
            return true;
    return false;
}

std::string text(const Tree &node, const std::string &key, const std::string &fallback)
{
    const auto value = node.get_optional<std::string>(key);
    return value ? *value : fallback;
}

QString caption(const Tree &node, const std::string &language)
{
    std::string result = text(node, "text." + language);
    if (result.empty())
        result = text(node, "text.en");
    return QString::fromStdString(result);
}

QStringList entryCaptions(const Tree &node, const std::string &language)
{
    QStringList result;
    const auto items = node.get_child_optional("items");
    if (!items)
        return result;
    for (const auto &entry : *items) {
        if (!isElementKey(entry.first))
            continue;
        std::string name = text(entry.second, language);
        if (name.empty())
            name = text(entry.second, "en");
        result.append(QString::fromStdString(name));
    }
    return result;
}

QString actionLabel(const Tree &node, const std::string &language)
{
    const auto own = node.get_optional<std::string>("caption.text." + language);
    if (own && !own->empty())
        return QString::fromStdString(*own);
    const auto english = node.get_optional<std::string>("caption.text.en");
    if (english)
        return QString::fromStdString(*english);
    return QStringLiteral("action");
}

namespace {

template <typename T>
T readWhole(const std::string &text)
{
    std::istringstream in(text);
    in.imbue(std::locale::classic());
    T value{};
    in >> value;
    if (in.fail())
        return T{};
    in >> std::ws;
    return in.eof() ? value : T{};
}

} // namespace

int toInt(const std::string &text)
{
    return readWhole<int>(text);
}

double toDouble(const std::string &text)
{
    return readWhole<double>(text);
}

} // namespace Description
} // namespace Core
} // namespace DirazSensorPlugin
