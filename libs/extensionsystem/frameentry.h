#pragma once

#include <cstdint>
#include <string>

namespace ExtensionSystem {

// One request of a DataFrame: the command octets go out, the channel fills
// answer and status. Strings carry raw octets and may contain zero octets.
struct FrameEntry
{
    std::string command;
    std::string expectedAnswer;
    std::string answer;
    int32_t status = 0;        // 0: nothing arrived before timeoutMs; 1: answered
    double timeoutMs = 1000.0;
    int32_t reserved1 = 0;
    int32_t reserved2 = 0;
};

} // namespace ExtensionSystem
