#include "simulator/devicevalues.h"

#include "device/enummapping.h"


namespace IoLinkSim {

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
    return DirazSensorPlugin::Core::enumDeviceValue(QString::fromStdString(id), index,
                                                     QString::fromStdString(variantKey));
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
