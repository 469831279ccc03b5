// Parameter answers as a read or a write gets them back, whatever the line
// delivered, and the texts a write is built from. The first octet picks the
// parameter size the caller expects.
#include "fuzzcheck.h"

#include "device/parameterdecoding.h"
#include "device/parameterwrite.h"

#include <cstdint>

using namespace DirazSensorPlugin::Core;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size < 1)
        return 0;
    const int expectedSize = data[0] % 48;
    const QByteArray answer(reinterpret_cast<const char *>(data + 1), int(size - 1));
    const QString hex = answerHex(answer);
    FUZZ_CHECK(hex.size() == 2 * answer.size());
    answerCount(answer);
    answerCarriesData(answer);
    lastOctetsValue(answer, expectedSize % 9);
    intAnswerValue(answer, expectedSize);
    doubleAnswerValue(answer, expectedSize);
    rangeAnswerValue(answer);
    const int raw = enumRawValue(answer);
    enumIndexFromRaw(QStringLiteral("SSC1JumpDirection"), raw, QStringLiteral("R"));
    enumIndexFromRaw(QStringLiteral("MesurementUnit"), raw, QString());
    lastEightDigitsValue(answer);
    textParameterValue(answer);
    textOctetsHex(answer);
    payloadHex(answer);
    isDeviceErrorCode(hex);
    isDeviceErrorCode(QString::fromLatin1(answer), false);

    const QString text = QString::fromUtf8(answer);
    const ParameterAddress address = parseParameterAddress(text);
    if (address.valid)
        FUZZ_CHECK(address.index >= 0 && address.subIndex >= 0);
    // Cut after a whole character: the prefix decodes to a prefix of the text.
    const QByteArray prefix = utf8Prefix(text, expectedSize);
    FUZZ_CHECK(prefix.size() <= expectedSize);
    FUZZ_CHECK(text.startsWith(QString::fromUtf8(prefix)));
    return 0;
}
