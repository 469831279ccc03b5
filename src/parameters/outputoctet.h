#pragma once

#include "window/viewpositions.h"

#include <QtGlobal>

#include <array>

namespace DirazSensorPlugin {
namespace Core {

// The output check boxes sit at process-data positions 11 to 15; position 11
// starts checked.
constexpr int kFirstOutputRow = FirstOutputRow;
constexpr int kOutputRowCount = OutputRowCount;
constexpr int kOutputCheckColumn = ValueColumn;
using OutputRowStates = std::array<bool, kOutputRowCount>;
constexpr OutputRowStates kInitialOutputStates{{true, false, false, false, false}};

// The octet of the one-octet output command: positions 11..15 drive bits
// 0, 1, 3, 4 and 7; bit 0 is active low (checked clears it).
quint8 outputOctet(const OutputRowStates &checked);

} // namespace Core
} // namespace DirazSensorPlugin
