#pragma once

#include <cstdint>
#include <string>

namespace IoLinkSim {

// Value octets a parameter of this write-frame size carries: 7 two, 9 four,
// anything else one.
int valueOctets(int size);

// The device value stored for an enumeration entry index; the sensor keeps
// device values, the description file counts entries.
std::int64_t enumerationDeviceValue(const std::string &id, int index, const std::string &variantKey);

std::string bigEndian(std::uint64_t value, int octets);
std::uint64_t fromBigEndian(const std::string &octets);

} // namespace IoLinkSim
