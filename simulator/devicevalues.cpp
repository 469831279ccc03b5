#include "simulator/devicevalues.h"


namespace IoLinkSim {

namespace {

bool contains(const std::string &text, const char *part)
{
    return text.find(part) != std::string::npos;
}

} // namespace

int valueOctets(int size)
{
    switch (size) {
    case 7:
        return 2;
    case 9:
        return 4;
    default:
        return 1;
    }
}

std::int64_t enumerationDeviceValue(const std::string &id, int index, const std::string &variantKey)
{
    if (id == "PinFunctionA3")
        return index >= 0 && index <= 2 ? index + 3 : index;
    if (id == "SSC1JumpDirection" || id == "SSC12umpDirection")
        return index + 1;
    if (id == "TeachInMode1" || id == "TeachInMode2")
        return index == 3 ? 5 : index;
    if (id == "LanguageDevice")
        return index == 2 ? 5 : index;
    if (id == "SimulationDistanceValue")
        return index == 0 ? 65536 : 500;
    if (id == "TeachLoked")
        return (index & 1) << 2;
    if (contains(id, "ErrorWarning")) {
        // Entries name bits of the status word; the 4M3 and 4M6 variants
        // have one more (bit 21) than the others.
        static const int common[] = {0, 1, 2, 3, 4, 5, 6, 8, 17, 18, 19, 20};
        static const int others[] = {22, 28, 29, 31};
        static const int wide[] = {21, 22, 28, 29, 31};
        if (index >= 0 && index < 12)
            return common[index];
        const bool isWide = variantKey == "4M3" || variantKey == "4M6";
        const int extra = index - 12;
        if (isWide && extra < 5)
            return wide[extra];
        if (!isWide && extra < 4)
            return others[extra];
        return index;
    }
    return index;
}

std::string bigEndian(std::uint64_t value, int octets)
{
    std::string out(std::size_t(octets), '\0');
    for (int i = octets - 1; i >= 0; --i) {
        out[std::size_t(i)] = char(value & 0xFF);
        value >>= 8;
    }
    return out;
}

std::uint64_t fromBigEndian(const std::string &octets)
{
    std::uint64_t value = 0;
    for (char c : octets)
        value = (value << 8) | static_cast<unsigned char>(c);
    return value;
}

} // namespace IoLinkSim
