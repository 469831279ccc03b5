#pragma once

// Reading the catalogue and description file safely. The property tree's XML
// reader recurses once per nesting level, and so do the walks over its
// result, so a file's depth is measured before it is parsed. Shared by the
// plug-in and the simulator, and fed to the fuzzers.

#include <boost/property_tree/ptree.hpp>

#include <cstddef>
#include <string>

namespace DirazSensorPlugin {
namespace Core {

// Far deeper than any real description, far shallower than a thread's stack.
constexpr int kMaxDescriptionDepth = 64;

// Deepest element nesting of an XML text; comments, CDATA, declarations and
// quoted attribute values do not count. Never recurses.
int xmlNestingDepth(const char *data, std::size_t size);

// Parses an XML text into `tree` (flags of the property tree's XML reader).
// On failure `tree` is empty and `error` says why in words a person can act on.
bool parseDescriptionText(const std::string &text, boost::property_tree::ptree &tree, std::string &error,
                          int flags);

// The same for a file: missing, unreadable and empty files are refused too,
// and `error` starts with the path.
bool loadDescriptionFile(const std::string &path, boost::property_tree::ptree &tree, std::string &error,
                         int flags);

} // namespace Core
} // namespace DirazSensorPlugin
