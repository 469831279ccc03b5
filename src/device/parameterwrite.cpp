#include "device/parameterwrite.h"

#include "live/unitconversion.h"

#include <QStringList>

namespace DirazSensorPlugin {
namespace Core {

ParameterAddress parseParameterAddress(const QString &text)
{
    ParameterAddress a;
    const QStringList parts = text.split(QLatin1Char(';'));
    if (parts.size() != 3)
        return a;
    bool ok[3] = {false, false, false};
    a.index = parts[0].toInt(&ok[0], 10);
    a.subIndex = parts[1].toInt(&ok[1], 10);
    a.size = parts[2].toInt(&ok[2], 10);
    a.valid = ok[0] && ok[1] && ok[2] && a.index >= 0 && a.index <= 0xFFFF && a.subIndex >= 0
              && a.subIndex <= 0xFF;
    return a;
}

std::int64_t distanceDeviceValue(double value, int measurementUnit)
{
    return std::int64_t(isInchUnit(measurementUnit) ? inchesToMillimetres(value) : roundHalfUp(value));
}

std::int64_t farRangeDeviceValue(std::int64_t value, int objMaxRange)
{
    if (objMaxRange == 10001)
        return value >= 10001 ? 30000 : value;
    return value >= 100001 ? 130000 : value;
}

int buttonDeviceValue(const QString &id)
{
    if (id == QLatin1String("TEACHBUTTON1") || id == QLatin1String("TEACHBUTTON2")
        || id == QLatin1String("ANALOGTEACHBUTTON1"))
        return 1;
    if (id == QLatin1String("TEACHBUTTON13") || id == QLatin1String("TEACHBUTTON22")
        || id == QLatin1String("ANALOGTEACHBUTTON2"))
        return 2;
    if (id == QLatin1String("TEACHBUTTON14") || id == QLatin1String("TEACHBUTTON23"))
        return 3;
    return 0;
}

int textParameterIndex(const QString &id)
{
    if (id == QLatin1String("FunctionTag"))
        return 25;
    if (id == QLatin1String("LocationTag"))
        return 26;
    return 24;
}

QByteArray utf8Prefix(const QString &text, int maxOctets)
{
    const QByteArray all = text.toUtf8();
    if (all.size() <= maxOctets)
        return all;
    int end = maxOctets;
    // Step back over continuation octets to the start of the cut character.
    while (end > 0 && (static_cast<unsigned char>(all[end]) & 0xC0) == 0x80)
        --end;
    return all.left(end);
}

} // namespace Core
} // namespace DirazSensorPlugin
