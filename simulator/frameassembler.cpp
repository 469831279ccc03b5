#include "simulator/frameassembler.h"

namespace IoLinkSim {

std::vector<FrameAssembler::Event> FrameAssembler::feed(const std::string &octets, std::int64_t nowMs)
{
    std::vector<Event> events = idle(nowMs);
    if (octets.empty())
        return events;
    m_lastOctet = nowMs;
    if (m_discarding)
        return events; // the rest of a burst already reported
    m_buffer += octets;
    while (!m_buffer.empty()) {
        const int count = static_cast<unsigned char>(m_buffer[0]);
        if (count < 2 || count > kMaxCount) {
            events.push_back({true, m_buffer});
            m_buffer.clear();
            m_discarding = true;
            break;
        }
        if (int(m_buffer.size()) < count + 1)
            break;
        events.push_back({false, m_buffer.substr(0, std::size_t(count) + 1)});
        m_buffer.erase(0, std::size_t(count) + 1);
    }
    return events;
}

std::vector<FrameAssembler::Event> FrameAssembler::idle(std::int64_t nowMs)
{
    std::vector<Event> events;
    if (nowMs - m_lastOctet <= m_gapMs)
        return events;
    m_discarding = false;
    if (!m_buffer.empty()) {
        events.push_back({true, m_buffer});
        m_buffer.clear();
    }
    return events;
}

std::int64_t FrameAssembler::deadline() const
{
    if (m_buffer.empty() && !m_discarding)
        return -1;
    return m_lastOctet + m_gapMs + 1;
}

} // namespace IoLinkSim
