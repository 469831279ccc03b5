#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace IoLinkSim {

// Cuts the octet stream of a serial line into count-prefixed frames. Octets
// may come in any pieces; a frame left unfinished for longer than the gap,
// or a burst that cannot start a frame, is reported once as malformed and
// dropped, so the next frame after a pause is read cleanly.
class FrameAssembler
{
public:
    struct Event
    {
        bool malformed = false;
        std::string frame;
    };

    explicit FrameAssembler(std::int64_t gapMs = 100) : m_gapMs(gapMs) {}

    std::vector<Event> feed(const std::string &octets, std::int64_t nowMs);
    // Call when nothing has arrived; reports a stale partial frame.
    std::vector<Event> idle(std::int64_t nowMs);
    // When idle() may next have something to say; -1 when nothing is pending.
    std::int64_t deadline() const;

    // Longest frame the master takes: a text write, 0x25 octets after the count.
    static constexpr int kMaxCount = 0x25;

private:
    std::int64_t m_gapMs;
    std::string m_buffer;
    bool m_discarding = false;
    std::int64_t m_lastOctet = 0;
};

} // namespace IoLinkSim
