#include "device/enummapping.h"

#include <iterator>

namespace DirazSensorPlugin {
namespace Core {

namespace {

bool isJumpDirection(const QString &id)
{
    // Both outputs count their directions from 1 on the device.
    return id == QLatin1String("SSC1JumpDirection") || id == QLatin1String("SSC2JumpDirection");
}

bool isWideErrorWarningVariant(const QString &variantKey)
{
    return variantKey == QLatin1String("4M6") || variantKey == QLatin1String("4M3");
}

// Error-warning entries name bits of the status word; the wide variants list
// bit 21 as well.
constexpr std::int64_t kErrorWarningBits[] = {0, 1, 2, 3, 4, 5, 6, 8, 17, 18, 19, 20, 22, 28, 29, 31};
constexpr std::int64_t kWideErrorWarningBits[] = {0, 1, 2, 3, 4, 5, 6, 8, 17, 18, 19, 20, 21, 22, 28, 29, 31};

template <std::size_t N>
int positionOf(const std::int64_t (&table)[N], std::int64_t raw)
{
    for (std::size_t i = 0; i < N; ++i) {
        if (table[i] == raw)
            return int(i);
    }
    return -1;
}

template <std::size_t N>
std::int64_t valueAt(const std::int64_t (&table)[N], int index)
{
    return index >= 0 && std::size_t(index) < N ? table[index] : index;
}

} // namespace

int enumIndexFromRaw(const QString &id, std::int64_t raw, const QString &variantKey)
{
    if (isJumpDirection(id))
        return int(raw - 1);
    if (id == QLatin1String("PinFunctionA3"))
        return raw >= 3 && raw <= 5 ? int(raw - 3) : int(raw);
    if (id == QLatin1String("TeachInMode1") || id == QLatin1String("TeachInMode2"))
        return raw == 5 ? 3 : int(raw);
    if (id == QLatin1String("LanguageDevice"))
        return raw == 5 ? 2 : int(raw);
    if (id.contains(QLatin1String("ErrorWarning"))) {
        // Raw 7 names no entry of its own; it keeps its number like any
        // value without a rule.
        if (raw >= 0 && raw <= 7)
            return int(raw);
        const int position = isWideErrorWarningVariant(variantKey) ? positionOf(kWideErrorWarningBits, raw)
                                                                   : positionOf(kErrorWarningBits, raw);
        return position >= 0 ? position : int(raw);
    }
    if (id == QLatin1String("SimulationDistanceValue"))
        return raw == SimulationDistanceOff ? 0 : 1;
    if (id == QLatin1String("TeachLoked"))
        return int((raw >> TeachLockBit) & 1);
    return int(raw);
}

std::int64_t enumDeviceValue(const QString &id, int index, const QString &variantKey, int teachLockedRaw)
{
    if (isJumpDirection(id))
        return std::int64_t(index) + 1;
    if (id == QLatin1String("PinFunctionA3"))
        return index >= 0 && index <= 2 ? index + 3 : index;
    if (id == QLatin1String("TeachInMode1") || id == QLatin1String("TeachInMode2"))
        return index == 3 ? 5 : index;
    if (id == QLatin1String("LanguageDevice"))
        return index == 2 ? 5 : index;
    if (id.contains(QLatin1String("ErrorWarning")))
        return isWideErrorWarningVariant(variantKey) ? valueAt(kWideErrorWarningBits, index)
                                                     : valueAt(kErrorWarningBits, index);
    if (id == QLatin1String("SimulationDistanceValue"))
        return index == 0 ? SimulationDistanceOff : SimulationDistanceOn;
    if (id == QLatin1String("TeachLoked"))
        return (teachLockedRaw & 0x0F & ~(1 << TeachLockBit)) | ((index & 1) << TeachLockBit);
    return index;
}

} // namespace Core
} // namespace DirazSensorPlugin
