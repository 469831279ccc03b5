#include "live/polltransport.h"

#include "comm/framekeeper.h"

namespace DirazSensorPlugin {
namespace Core {

PollTransport::~PollTransport()
{
    abandon();
}

unsigned int PollTransport::send(ExtensionSystem::CommunicationInterface *channel, const std::string &command,
                                 double timeoutMs)
{
    abandon();
    auto frame = std::make_unique<DataFrame>(1);
    ExtensionSystem::FrameEntry &entry = frame->front();
    entry.command = command;
    entry.expectedAnswer = ".*";
    entry.timeoutMs = timeoutMs;
    entry.reserved1 = 0;
    entry.reserved2 = 0;
    m_channel = channel;
    m_frame = std::move(frame);
    m_pendingId = channel->sendFrame(m_frame.get());
    return m_pendingId;
}

std::unique_ptr<PollTransport::DataFrame> PollTransport::take(unsigned int id)
{
    if (id == 0 || id != m_pendingId)
        return nullptr;
    m_pendingId = 0;
    m_channel.clear();
    return std::move(m_frame);
}

void PollTransport::abandon()
{
    if (m_frame && m_channel)
        FrameKeeper::keep(m_channel, m_pendingId, std::move(m_frame));
    m_frame.reset();
    m_channel.clear();
    m_pendingId = 0;
}

bool PollTransport::recordOutcome(bool answered)
{
    if (answered) {
        m_allowance = kToleratedLosses;
        return false;
    }
    if (m_allowance > 0) {
        --m_allowance;
        return false;
    }
    m_allowance = kToleratedLosses;
    return true;
}

} // namespace Core
} // namespace DirazSensorPlugin
