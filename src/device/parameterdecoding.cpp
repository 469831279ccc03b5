#include "device/parameterdecoding.h"

#include "comm/masterframes.h"
#include "live/processdecoding.h"

namespace DirazSensorPlugin {
namespace Core {

QString answerHex(const QByteArray &answer)
{
    return QString::fromLatin1(answer.toHex());
}

int answerCount(const QByteArray &answer)
{
    bool ok = false;
    const int n = answerHex(answer).left(2).toInt(&ok, 10);
    return ok ? n : 0;
}

bool answerCarriesData(const QByteArray &answer)
{
    return answerCount(answer) > 4;
}

int lastOctetsValue(const QByteArray &answer, int octets)
{
    return hexToInt32(QString::fromLatin1(answer.right(octets).toHex()));
}

namespace {

int numericValue(const QByteArray &answer, int size, int fourOctetSize)
{
    if (!answerCarriesData(answer))
        return lastOctetsValue(answer, 1);
    if (answer.size() < 5)
        return lastOctetsValue(answer, 1);
    return lastOctetsValue(answer, size == fourOctetSize ? 4 : 2);
}

} // namespace

int intAnswerValue(const QByteArray &answer, int size)
{
    // Int properties take four octets only for size 8; no described int has
    // that size, so in practice they take two.
    return numericValue(answer, size, 8);
}

int doubleAnswerValue(const QByteArray &answer, int size)
{
    return numericValue(answer, size, 9);
}

int rangeAnswerValue(const QByteArray &answer)
{
    return lastOctetsValue(answer, 3);
}

int enumRawValue(const QByteArray &answer)
{
    if (answerCarriesData(answer) && answer.size() >= 5)
        return lastOctetsValue(answer, 2);
    return lastOctetsValue(answer, 1);
}

namespace {

int errorWarningIndex(int raw, const QString &variantKey)
{
    if (raw >= 0 && raw <= 7)
        return raw;
    switch (raw) {
    case 8: return 7;
    case 17: return 8;
    case 18: return 9;
    case 19: return 10;
    case 20: return 11;
    default: break;
    }
    const bool extended = variantKey == QLatin1String("4M6") || variantKey == QLatin1String("4M3");
    if (extended) {
        switch (raw) {
        case 21: return 12;
        case 22: return 13;
        case 28: return 14;
        case 29: return 15;
        case 31: return 16;
        default: return raw;
        }
    }
    switch (raw) {
    case 22: return 12;
    case 28: return 13;
    case 29: return 14;
    case 31: return 15;
    default: return raw;
    }
}

} // namespace

int enumIndexFromRaw(const QString &id, int raw, const QString &variantKey)
{
    if (id == QLatin1String("SSC1JumpDirection") || id == QLatin1String("SSC12umpDirection"))
        return raw - 1;
    if (id == QLatin1String("PinFunctionA3")) {
        if (raw >= 3 && raw <= 5)
            return raw - 3;
        return raw;
    }
    if (id == QLatin1String("TeachInMode1") || id == QLatin1String("TeachInMode2"))
        return raw == 5 ? 3 : raw;
    if (id == QLatin1String("LanguageDevice"))
        return raw == 5 ? 2 : raw;
    if (id.contains(QLatin1String("ErrorWarning")))
        return errorWarningIndex(raw, variantKey);
    if (id == QLatin1String("SimulationDistanceValue"))
        return raw == 65536 ? 0 : 1;
    if (id == QLatin1String("TeachLoked"))
        return (raw >> 2) & 1;
    return raw;
}

int lastEightDigitsValue(const QByteArray &answer)
{
    return hexToInt32(answerHex(answer).right(8));
}

QString textParameterValue(const QByteArray &answer)
{
    return QString::fromUtf8(textAnswerOctets(answer));
}

QString textOctetsHex(const QByteArray &answer)
{
    return QString::fromLatin1(textAnswerOctets(answer).toHex());
}

QString payloadHex(const QByteArray &answer)
{
    return QString::fromLatin1(answer.mid(3).toHex());
}

bool isDeviceErrorCode(const QString &hex, bool include1601)
{
    return hex == QLatin1String("8020") || hex == QLatin1String("8011")
           || (include1601 && hex == QLatin1String("1601"));
}

} // namespace Core
} // namespace DirazSensorPlugin
