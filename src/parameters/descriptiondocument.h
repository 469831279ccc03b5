#pragma once

// Reading the parameter description: the XML file into a string tree, and the
// rules that turn its nodes into captions, entry lists and numbers. No
// widgets here, so the rules are checked on their own.

#include <boost/property_tree/ptree.hpp>

#include <QString>
#include <QStringList>

#include <istream>
#include <string>

namespace DirazSensorPlugin {
namespace Core {
namespace Description {

using Tree = boost::property_tree::ptree;

// Comments dropped, whitespace kept. On any read or parse error the tree is
// left empty and the result is false.
bool readFile(const std::string &path, Tree &out);
bool readStream(std::istream &in, Tree &out);

// Child elements of a node, skipping attributes and comments that the XML
// reader keeps as pseudo children.
bool isElementKey(const std::string &key);
bool hasChildElement(const Tree &node);

// Text of a key, or the fallback when the key is missing.
std::string text(const Tree &node, const std::string &key, const std::string &fallback = std::string());

// Caption of a node: "text.<language>", or "text.en" when that is empty.
QString caption(const Tree &node, const std::string &language);
// One caption per child of `items`, in order, with the same fallback.
QStringList entryCaptions(const Tree &node, const std::string &language);
// Label of an action node's button: "caption.text.<language>", else
// "caption.text.en", else "action".
QString actionLabel(const Tree &node, const std::string &language);

// A number that must be read whole (surrounding blanks allowed); anything
// else, including an empty text, gives 0.
int toInt(const std::string &text);
double toDouble(const std::string &text);

} // namespace Description
} // namespace Core
} // namespace DirazSensorPlugin
