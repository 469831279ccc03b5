#pragma once

// A channel whose answers a test writes: every entry is recorded with the
// pattern and time-out it was sent with, answered by `responder` (silent when
// none is set) and finished through the event loop, or inside sendFrame when
// the test wants the earliest possible finish.

#include "octets.h"

#include <extensionsystem/communicationinterface.h>

#include <QTimer>

#include <functional>
#include <string>
#include <vector>

namespace K4KTest {

class ScriptedChannel : public ExtensionSystem::CommunicationInterface
{
public:
    struct Sent
    {
        std::string command;
        std::string expectedAnswer;
        double timeoutMs = 0.0;
        int baudrate = 0;
    };
    struct Reply
    {
        int status = 0;
        std::string answer;
    };

    std::function<Reply(const std::string &command)> responder;
    // Runs in the sender's wait, just before the frame is reported finished.
    std::function<void()> duringWait;
    bool finishInsideSend = false;
    int finishAfterMs = 0;
    std::vector<Sent> sent;

    void sendText(const std::string &) override {}

    unsigned int sendFrame(DataFrame *frame) override
    {
        const unsigned int id = m_nextId++;
        for (ExtensionSystem::FrameEntry &entry : *frame) {
            sent.push_back({entry.command, entry.expectedAnswer, entry.timeoutMs, m_settings.baudrate});
            const Reply reply = responder ? responder(entry.command) : Reply();
            entry.status = reply.status;
            entry.answer = reply.answer;
        }
        if (finishInsideSend) {
            emit emitFinished(id);
            return id;
        }
        QTimer::singleShot(finishAfterMs, this, [this, id] {
            if (duringWait)
                duringWait();
            emit emitFinished(id);
        });
        return id;
    }

    void setPortSettings(const ExtensionSystem::PortSettings &settings) override { m_settings = settings; }
    const ExtensionSystem::PortSettings &portSettings() const override { return m_settings; }

    std::vector<std::string> commands() const
    {
        std::vector<std::string> out;
        for (const Sent &s : sent)
            out.push_back(s.command);
        return out;
    }

private:
    unsigned int m_nextId = 1;
    ExtensionSystem::PortSettings m_settings;
};

} // namespace K4KTest
