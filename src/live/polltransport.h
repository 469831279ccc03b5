#pragma once

#include <extensionsystem/communicationinterface.h>

#include <QPointer>

#include <memory>
#include <string>

namespace DirazSensorPlugin {
namespace Core {

// The state of the polling loop: the one poll frame in flight with the
// channel it went to, the position in the poll sequence and the allowance of
// unanswered polls before the sensor counts as lost.
class PollTransport
{
public:
    using DataFrame = ExtensionSystem::CommunicationInterface::DataFrame;

    // Unanswered polls in a row that are tolerated; the next one loses the sensor.
    static constexpr int kToleratedLosses = 2;

    PollTransport() = default;
    ~PollTransport();
    PollTransport(const PollTransport &) = delete;
    PollTransport &operator=(const PollTransport &) = delete;

    // Hands a one-entry frame with `command` to `channel`. A poll still out
    // is given up first. Returns the request id.
    unsigned int send(ExtensionSystem::CommunicationInterface *channel, const std::string &command, double timeoutMs);

    unsigned int pendingId() const { return m_pendingId; }
    bool isPending() const { return m_pendingId != 0; }
    // The channel the poll in flight went to; null when none, or when the
    // host has deleted it since.
    ExtensionSystem::CommunicationInterface *pendingChannel() const { return m_channel.data(); }

    // The frame of the poll `id` once its channel has finished it; null when
    // `id` is not the poll in flight. The poll is then no longer pending.
    std::unique_ptr<DataFrame> take(unsigned int id);

    // Gives up the poll in flight. A channel that still lives may yet fill
    // its frame, so the frame stays with that channel until it has.
    void abandon();

    // Counts one handled poll; true when the sensor is now lost. A good
    // answer restores the whole allowance, so only losses in a row count.
    bool recordOutcome(bool answered);
    int allowance() const { return m_allowance; }
    void setAllowance(int allowance) { m_allowance = allowance; }

    // Position in the poll sequence; other parts move it to postpone the
    // next object-information read.
    int counter() const { return m_counter; }
    int &counterRef() { return m_counter; }
    void setCounter(int counter) { m_counter = counter; }

private:
    unsigned int m_pendingId = 0;
    std::unique_ptr<DataFrame> m_frame;
    QPointer<ExtensionSystem::CommunicationInterface> m_channel;
    int m_counter = 0;
    int m_allowance = kToleratedLosses;
};

} // namespace Core
} // namespace DirazSensorPlugin
