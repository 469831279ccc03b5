#pragma once

// Enumeration entry positions (what the tree shows) and the values the device
// keeps for them, both directions. The plug-in, the simulator and the tests
// use only these.

#include <QString>

#include <cstdint>

namespace DirazSensorPlugin {
namespace Core {

// "SimulationDistanceValue": the device value of "no simulated distance".
constexpr std::int64_t SimulationDistanceOff = 65536;
// "SimulationDistanceValue": the simulated distance of every other entry.
constexpr std::int64_t SimulationDistanceOn = 500;
// "TeachLoked": the bit that locks teach-in.
constexpr int TeachLockBit = 2;

// Raw device value to the entry position of an enumeration, by id; raw values
// without a rule keep their number. variantKey selects the error-warning map.
int enumIndexFromRaw(const QString &id, std::int64_t raw, const QString &variantKey);
// Entry position to the device value, the inverse of enumIndexFromRaw.
// "TeachLoked" keeps the other low bits of teachLockedRaw.
std::int64_t enumDeviceValue(const QString &id, int index, const QString &variantKey, int teachLockedRaw = 0);

} // namespace Core
} // namespace DirazSensorPlugin
