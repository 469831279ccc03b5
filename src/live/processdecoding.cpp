#include "live/processdecoding.h"

namespace DirazSensorPlugin {
namespace Core {

namespace {

// Device octets carry no sign and no blank, which toInt alone would take.
bool isHexDigits(const QString &digits)
{
    for (const QChar c : digits) {
        const char16_t u = c.unicode();
        if (!((u >= '0' && u <= '9') || (u >= 'a' && u <= 'f') || (u >= 'A' && u <= 'F')))
            return false;
    }
    return !digits.isEmpty();
}

} // namespace

int hexToInt32(const QString &digits)
{
    if (!isHexDigits(digits))
        return 0;
    bool ok = false;
    const int v = digits.toInt(&ok, 16);
    return ok ? v : 0;
}

int hexToInt16(const QString &digits)
{
    const int v = hexToInt32(digits) & 0xFFFF;
    return (v ^ 0x8000) - 0x8000;
}

ProcessFields cutProcessFields(const QString &hex, int measurementUnit)
{
    ProcessFields f;
    switch (measurementUnit) {
    case 2:
        f.distanceField = hex.mid(8, 6);
        f.speedField = hex.mid(14, 4);
        f.intensityField = hex;
        f.speed = hexToInt16(f.speedField);
        break;
    case 3:
        f.distanceField = hex.mid(8, 4);
        f.speedField = hex.mid(12, 4);
        f.intensityField = hex.mid(16, 2);
        f.speed = hexToInt16(f.speedField);
        f.intensity = hexToInt32(f.intensityField);
        break;
    default:
        f.distanceField = hex.mid(8, 8);
        f.speedField = hex;
        f.intensityField = hex;
        break;
    }
    f.distance = hexToInt32(f.distanceField);
    const QString pd = hex.mid(6, 13);
    f.allZero = pd.size() == 13 && pd.count(QLatin1Char('0')) == 13;
    f.statusOctet = hexToInt32(hex.mid(18, 2)) & 0xFF;
    return f;
}

std::uint32_t distanceCode(SpecialCode code, int octets)
{
    switch (code) {
    case SpecialCode::NoData:
        return octets == 4 ? 0x7FFFFFFCu : octets == 3 ? 0x7FFFFCu : octets == 2 ? 0x7FFCu : 0u;
    case SpecialCode::TooFar:
        return octets == 4 ? 0x7FFFFFF8u : octets == 3 ? 0x7FFFF8u : octets == 2 ? 0xFFFEu : 0u;
    case SpecialCode::TooNear:
        return octets == 4 ? 0x80000008u : octets == 3 ? 0x800008u : 0u;
    case SpecialCode::None:
        break;
    }
    return 0;
}

std::uint16_t speedCode(SpecialCode code)
{
    switch (code) {
    case SpecialCode::NoData:
        return 0x7FFC;
    case SpecialCode::TooFar:
        return 0x7FF8;
    case SpecialCode::TooNear:
        return 0x8008;
    case SpecialCode::None:
        break;
    }
    return 0;
}

std::uint8_t intensityCode(SpecialCode code)
{
    switch (code) {
    case SpecialCode::NoData:
        return 0xFF;
    case SpecialCode::TooFar:
        return 0xFE;
    case SpecialCode::TooNear:
    case SpecialCode::None:
        break;
    }
    return 0x00;
}

namespace {

constexpr SpecialCode kSpecialCodes[] = {SpecialCode::NoData, SpecialCode::TooFar, SpecialCode::TooNear};

QString codeHex(std::uint32_t value, int octets)
{
    return QStringLiteral("%1").arg(value, octets * 2, 16, QLatin1Char('0'));
}

} // namespace

SpecialCode distanceSpecialCode(const QString &field)
{
    const int octets = field.size() / 2;
    for (SpecialCode code : kSpecialCodes) {
        const std::uint32_t value = distanceCode(code, octets);
        if (value != 0 && field == codeHex(value, octets))
            return code;
    }
    return SpecialCode::None;
}

SpecialCode speedSpecialCode(const QString &field)
{
    for (SpecialCode code : kSpecialCodes) {
        if (field == codeHex(speedCode(code), 2))
            return code;
    }
    return SpecialCode::None;
}

SpecialCode intensitySpecialCode(const QString &field)
{
    for (SpecialCode code : kSpecialCodes) {
        if (field == codeHex(intensityCode(code), 1))
            return code;
    }
    return SpecialCode::None;
}

QString specialRowText(SpecialCode code)
{
    switch (code) {
    case SpecialCode::NoData:
        return QStringLiteral("No data");
    case SpecialCode::TooFar:
        return QStringLiteral("Object too far");
    case SpecialCode::TooNear:
        return QStringLiteral("Object too near");
    case SpecialCode::None:
        break;
    }
    return QString();
}

QString distanceMarkerText(SpecialCode code)
{
    switch (code) {
    case SpecialCode::NoData:
        return QStringLiteral("No data");
    case SpecialCode::TooFar:
        return QStringLiteral("Obj. too far");
    case SpecialCode::TooNear:
        return QStringLiteral("Object too near");
    case SpecialCode::None:
        break;
    }
    return QString();
}

QString speedMarkerText(SpecialCode code)
{
    switch (code) {
    case SpecialCode::NoData:
        return QStringLiteral("No data");
    case SpecialCode::TooFar:
        return QStringLiteral("Obj. too far");
    case SpecialCode::TooNear:
        return QStringLiteral("Obj. too near");
    case SpecialCode::None:
        break;
    }
    return QString();
}

QString intensityMarkerText(SpecialCode code)
{
    return speedMarkerText(code);
}

std::array<bool, 8> statusOctetBits(const QString &twoDigits)
{
    const int v = hexToInt32(twoDigits) & 0xFF;
    std::array<bool, 8> bits{};
    for (int n = 0; n < 8; ++n)
        bits[std::size_t(n)] = (v >> n) & 1;
    return bits;
}

namespace {

void markSpecial(FieldDisplay &field, SpecialCode code, const QString &marker, bool &specialShown)
{
    field.addSpecialPoint = !specialShown;
    field.special = code;
    field.rowText = specialRowText(code);
    field.markerText = marker;
    field.valid = false;
    specialShown = true;
}

} // namespace

ProcessDisplay decodeProcessAnswer(ProcessDecoderState &state, const QString &hex, int measurementUnit)
{
    ProcessDisplay d;
    if (state.zeroAnswerCount > 100)
        state.zeroAnswerCount = 0;

    const ProcessFields f = cutProcessFields(hex, measurementUnit);
    if (f.allZero) {
        // A silent device: keep showing the last values.
        ++state.zeroAnswerCount;
    } else {
        state.zeroAnswerCount = 0;
        // Layout 1 reports tenths; only newly taken values are scaled, so a
        // repeated value stays as it was shown.
        state.lastDistance = measurementUnit == 1 ? f.distance / 10 : f.distance;
        state.lastSpeed = f.speed;
        state.lastIntensity = f.intensity;
    }

    const SpecialCode dc = distanceSpecialCode(f.distanceField);
    if (dc != SpecialCode::None)
        markSpecial(d.distance, dc, distanceMarkerText(dc), state.specialShown);
    if (f.distanceField == QLatin1String("0000")) {
        // Zeros only mean "too near" once they repeat.
        if (state.zeroAnswerCount > 1)
            markSpecial(d.distance, SpecialCode::TooNear, distanceMarkerText(SpecialCode::TooNear),
                        state.specialShown);
        state.zeroAnswerCount = 1;
    }
    const SpecialCode sc = speedSpecialCode(f.speedField);
    if (sc != SpecialCode::None)
        markSpecial(d.speed, sc, speedMarkerText(sc), state.specialShown);
    const SpecialCode ic = intensitySpecialCode(f.intensityField);
    if (ic != SpecialCode::None)
        markSpecial(d.intensity, ic, intensityMarkerText(ic), state.specialShown);

    if (d.distance.valid) {
        d.distance.chartValue = state.lastDistance;
        d.distance.valueText = QString::number(state.lastDistance);
    }
    if (d.speed.valid) {
        d.speed.chartValue = state.lastSpeed;
        d.speed.valueText = state.lastSpeed == AbsentValue ? QStringLiteral("-") : QString::number(state.lastSpeed);
    }
    if (d.intensity.valid) {
        d.intensity.chartValue = state.lastIntensity;
        d.intensity.valueText = state.lastIntensity > 0 ? QString::number(state.lastIntensity) : QStringLiteral("-");
    }
    state.specialShown = false;

    d.statusBits = statusOctetBits(hex.mid(18, 2));
    return d;
}

ObjectInfo decodeObjectInfoBlock(const QString &hex, int measurementUnit)
{
    ObjectInfo info;
    if (hex.size() != 80)
        return info;
    info.valid = true;
    // An index that is no number names no object.
    info.evaluatedIndex = isHexDigits(hex.mid(14, 2)) ? hexToInt32(hex.mid(14, 2)) : -1;
    for (int k = 0; k < 4; ++k) {
        const QString field = hex.mid(16 + 8 * k, 8);
        bool ok = isHexDigits(field);
        const quint32 raw = ok ? field.toUInt(&ok, 16) : 0;
        double distance = (!ok || raw == 0xFFFFFFFFu) ? 0.0 : double(raw);
        if (measurementUnit == 1)
            distance *= 0.03937007874015748;
        const int signal = hexToInt32(hex.mid(54 + 8 * k, 2));
        info.distanceFields[std::size_t(k)] = field;
        info.distances[std::size_t(k)] = distance;
        info.signalValues[std::size_t(k)] = signal == 255 ? 0 : signal;
    }
    return info;
}

QString objectDistanceText(const QString &field, double distance, const QString &distanceUnitText)
{
    if (field == codeHex(distanceCode(SpecialCode::TooNear, 4), 4))
        return QStringLiteral("Object too close");
    if (field == codeHex(distanceCode(SpecialCode::TooFar, 4), 4))
        return QStringLiteral("Object too far");
    if (field == codeHex(distanceCode(SpecialCode::NoData, 4), 4))
        return QStringLiteral(" No data");
    return QString::number(distance, 'f', 1) + distanceUnitText;
}

} // namespace Core
} // namespace DirazSensorPlugin
