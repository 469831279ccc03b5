// Cycle answers and object-information blocks. The first octet picks the
// measurement unit and whether the rest is read as octets (what the window
// passes on, in hexadecimal) or as raw text.
#include "fuzzcheck.h"

#include "live/processdecoding.h"

#include <QByteArray>
#include <QStringList>
#include <cstdint>

using namespace DirazSensorPlugin::Core;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size < 1)
        return 0;
    const int unit = data[0] & 0x07;
    const QByteArray rest(reinterpret_cast<const char *>(data + 1), int(size - 1));
    const QString hex = (data[0] & 0x80) ? QString::fromLatin1(rest) : QString::fromLatin1(rest.toHex());

    // The state carries over between answers, as in the window.
    ProcessDecoderState state;
    for (const QString &answer : hex.split(QLatin1Char('|')))
        decodeProcessAnswer(state, answer, unit);
    cutProcessFields(hex, unit);
    statusOctetBits(hex.left(2));
    const ObjectInfo info = decodeObjectInfoBlock(hex, unit);
    FUZZ_CHECK(info.evaluatedIndex >= -1 && info.evaluatedIndex <= 0xFF);
    if (info.valid)
        FUZZ_CHECK(hex.size() == 80);
    for (int i = 0; i < 4; ++i)
        objectDistanceText(info.distanceFields[i], info.distances[i], QStringLiteral("mm"));
    return 0;
}
