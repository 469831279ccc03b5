#include "descriptionfile.h"

#include <boost/property_tree/xml_parser.hpp>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>

namespace DirazSensorPlugin {
namespace Core {

namespace pt = boost::property_tree;

namespace {

bool startsWith(const char *at, const char *end, const char *prefix)
{
    const std::size_t n = std::strlen(prefix);
    return std::size_t(end - at) >= n && std::memcmp(at, prefix, n) == 0;
}

// Position just after `terminator`, or `end` when it never comes.
const char *skipPast(const char *at, const char *end, const char *terminator)
{
    const std::size_t n = std::strlen(terminator);
    for (; std::size_t(end - at) >= n; ++at)
        if (std::memcmp(at, terminator, n) == 0)
            return at + n;
    return end;
}

} // namespace

int xmlNestingDepth(const char *data, std::size_t size)
{
    const char *at = data;
    const char *const end = data + size;
    int depth = 0;
    int deepest = 0;
    while (at < end) {
        if (*at != '<') {
            ++at;
            continue;
        }
        if (startsWith(at, end, "<!--")) {
            at = skipPast(at + 4, end, "-->");
        } else if (startsWith(at, end, "<![CDATA[")) {
            at = skipPast(at + 9, end, "]]>");
        } else if (startsWith(at, end, "<?")) {
            at = skipPast(at + 2, end, "?>");
        } else if (startsWith(at, end, "<!")) {
            at = skipPast(at + 2, end, ">");
        } else {
            const bool closing = startsWith(at, end, "</");
            char quote = 0;
            const char *tagEnd = at + 1;
            for (; tagEnd < end; ++tagEnd) {
                if (quote) {
                    if (*tagEnd == quote)
                        quote = 0;
                } else if (*tagEnd == '"' || *tagEnd == '\'') {
                    quote = *tagEnd;
                } else if (*tagEnd == '>') {
                    break;
                }
            }
            const bool selfClosing = tagEnd < end && tagEnd[-1] == '/';
            if (closing) {
                if (depth > 0)
                    --depth;
            } else if (!selfClosing) {
                ++depth;
                if (depth > deepest)
                    deepest = depth;
            }
            at = tagEnd < end ? tagEnd + 1 : end;
        }
    }
    return deepest;
}

bool parseDescriptionText(const std::string &text, pt::ptree &tree, std::string &error, int flags)
{
    tree.clear();
    if (text.find_first_not_of(" \t\r\n") == std::string::npos) {
        error = "the file is empty";
        return false;
    }
    const int depth = xmlNestingDepth(text.data(), text.size());
    if (depth > kMaxDescriptionDepth) {
        error = "elements are nested " + std::to_string(depth) + " levels deep; at most "
                + std::to_string(kMaxDescriptionDepth) + " are accepted";
        return false;
    }
    std::istringstream in(text);
    try {
        pt::read_xml(in, tree, flags);
    } catch (const pt::xml_parser_error &e) {
        tree.clear();
        error = "not well-formed XML (line " + std::to_string(e.line()) + ": " + e.message() + ")";
        return false;
    } catch (const pt::ptree_error &e) {
        tree.clear();
        error = std::string("not readable as XML: ") + e.what();
        return false;
    }
    return true;
}

bool loadDescriptionFile(const std::string &path, pt::ptree &tree, std::string &error, int flags)
{
    tree.clear();
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        error = path + ": cannot open the file (" + std::strerror(errno) + ")";
        return false;
    }
    std::ostringstream content;
    content << file.rdbuf();
    if (file.bad()) {
        error = path + ": cannot read the file";
        return false;
    }
    if (!parseDescriptionText(content.str(), tree, error, flags)) {
        error = path + ": " + error;
        return false;
    }
    return true;
}

} // namespace Core
} // namespace DirazSensorPlugin
