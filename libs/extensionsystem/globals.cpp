#include "globals.h"

namespace ExtensionSystem {

namespace {
std::string g_language = "en";
bool g_presentationMode = false;
bool g_unattended = false;
std::string g_unattendedFile;
std::vector<Globals::Message> g_messages;
}

std::string Globals::getLanguage() { return g_language; }
void Globals::setLanguage(const std::string &code) { g_language = code; }
bool Globals::getPresentationMode() { return g_presentationMode; }
void Globals::setPresentationMode(bool on) { g_presentationMode = on; }

bool Globals::getUnattended() { return g_unattended; }
void Globals::setUnattended(bool on) { g_unattended = on; }
std::string Globals::getUnattendedFile() { return g_unattendedFile; }
void Globals::setUnattendedFile(const std::string &path) { g_unattendedFile = path; }

void Globals::noteUnattendedMessage(const Message &message) { g_messages.push_back(message); }

std::vector<Globals::Message> Globals::takeUnattendedMessages()
{
    std::vector<Message> taken;
    taken.swap(g_messages);
    return taken;
}

} // namespace ExtensionSystem
