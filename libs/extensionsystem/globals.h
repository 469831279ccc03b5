#pragma once

#include <string>

namespace ExtensionSystem {

// Settings the host application decides for every plug-in.
class Globals
{
public:
    static std::string getLanguage();
    static void setLanguage(const std::string &code);
    static bool getPresentationMode();
    static void setPresentationMode(bool on);
};

} // namespace ExtensionSystem
