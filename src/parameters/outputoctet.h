#pragma once

#include <QtGlobal>

#include <array>

namespace DirazSensorPlugin {
namespace Core {

// The output check boxes sit at process-data positions 11 to 15.
constexpr int kFirstOutputRow = 11;
constexpr int kOutputRowCount = 5;
using OutputRowStates = std::array<bool, kOutputRowCount>;

// The octet of the one-octet output command: positions 11..15 drive bits
// 0, 1, 3, 4 and 7; bit 0 is active low (checked clears it).
quint8 outputOctet(const OutputRowStates &checked);

} // namespace Core
} // namespace DirazSensorPlugin
