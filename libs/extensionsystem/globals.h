#pragma once

#include <string>
#include <vector>

namespace ExtensionSystem {

// Settings the host application decides for every plug-in.
class Globals
{
public:
    static std::string getLanguage();
    static void setLanguage(const std::string &code);
    static bool getPresentationMode();
    static void setPresentationMode(bool on);

    // Unattended runs: nobody answers questions. Plug-ins confirm every
    // question box and answer every file dialog with the unattended file the
    // host named for the step under way.
    static bool getUnattended();
    static void setUnattended(bool on);
    static std::string getUnattendedFile();
    static void setUnattendedFile(const std::string &path);

    // What a plug-in would have shown a person during an unattended run, so
    // the host can report it.
    struct Message
    {
        std::string title;
        std::string text;
        bool problem = false; // a warning or an error rather than a notice
    };
    static void noteUnattendedMessage(const Message &message);
    static std::vector<Message> takeUnattendedMessages();
};

} // namespace ExtensionSystem
