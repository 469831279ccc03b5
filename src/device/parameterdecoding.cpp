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
    const auto is = [&hex](std::uint16_t code) { return hex == QStringLiteral("%1").arg(code, 4, 16, QLatin1Char('0')); };
    return is(DeviceError::Busy) || is(DeviceError::IndexUnavailable)
           || (include1601 && is(DeviceError::NotYetAvailable));
}

} // namespace Core
} // namespace DirazSensorPlugin
