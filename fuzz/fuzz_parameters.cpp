// Parameter answers as a read or a write gets them back, whatever the line
// delivered. The first octet picks the parameter size the caller expects.
#include "fuzzcheck.h"

#include "device/parameterdecoding.h"

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
    return 0;
}
