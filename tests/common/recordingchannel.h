#pragma once

// Passes frames to another channel and keeps every command sent, so a test
// or benchmark sees what went on the wire and in which order.

#include <extensionsystem/communicationinterface.h>

#include <string>
#include <vector>

namespace K4KTest {

class RecordingChannel : public ExtensionSystem::CommunicationInterface
{
public:
    explicit RecordingChannel(ExtensionSystem::CommunicationInterface *inner) : m_inner(inner)
    {
        connect(inner, &CommunicationInterface::emitFinished, this, &CommunicationInterface::emitFinished);
    }
    void sendText(const std::string &bytes) override { m_inner->sendText(bytes); }
    unsigned int sendFrame(DataFrame *frame) override
    {
        for (const ExtensionSystem::FrameEntry &entry : *frame)
            commands.push_back(entry.command);
        return m_inner->sendFrame(frame);
    }
    void setPortSettings(const ExtensionSystem::PortSettings &s) override { m_inner->setPortSettings(s); }
    const ExtensionSystem::PortSettings &portSettings() const override { return m_inner->portSettings(); }

    std::vector<std::string> commands;

private:
    ExtensionSystem::CommunicationInterface *m_inner;
};

} // namespace K4KTest
