// The simulator's frame assembler, fed the way a serial line delivers:
// pieces of any size at any time. Each piece is one octet of milliseconds
// since the last, one octet of length, then the octets.
#include "fuzzcheck.h"

#include "simulator/frameassembler.h"

#include <cstdint>

using IoLinkSim::FrameAssembler;

namespace {
void checkEvents(const std::vector<FrameAssembler::Event> &events)
{
    for (const auto &e : events) {
        if (e.malformed)
            continue;
        // A frame is whole: its count octet names the octets after it.
        FUZZ_CHECK(!e.frame.empty());
        const int count = std::uint8_t(e.frame[0]);
        FUZZ_CHECK(count <= FrameAssembler::kMaxCount);
        FUZZ_CHECK(int(e.frame.size()) == count + 1);
    }
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FrameAssembler assembler(100);
    std::int64_t now = 0;
    std::size_t at = 0;
    while (at + 2 <= size) {
        now += data[at];
        const std::size_t length = std::min<std::size_t>(data[at + 1], size - at - 2);
        const std::int64_t deadline = assembler.deadline();
        if (deadline >= 0 && deadline <= now)
            checkEvents(assembler.idle(now));
        checkEvents(assembler.feed(std::string(reinterpret_cast<const char *>(data + at + 2), length), now));
        at += 2 + length;
    }
    checkEvents(assembler.idle(now + 1000));
    // Nothing is left waiting after a long silence.
    FUZZ_CHECK(assembler.deadline() < 0);
    return 0;
}
