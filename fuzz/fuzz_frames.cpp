// Master command frames as the simulator receives them, and text answers as
// the plug-in reads them.
#include "fuzzcheck.h"

#include "comm/masterframes.h"

#include <cstdint>
#include <string>

using namespace DirazSensorPlugin::Core;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string frame(reinterpret_cast<const char *>(data), size);
    ParsedFrame parsed;
    const bool valid = parseFrame(frame, &parsed);
    FUZZ_CHECK(valid == (validateFrame(frame) == FrameCheck::Valid));
    // A frame we accept is exactly the frame we would build for it.
    if (valid)
        FUZZ_CHECK(buildFrame(parsed.code, parsed.parameters) == frame);
    const QByteArray bytes = frameBytes(frame);
    FUZZ_CHECK(frameString(bytes) == frame);
    const QByteArray text = textAnswerOctets(bytes);
    FUZZ_CHECK(!text.contains('\0'));
    productNameFromAnswer(bytes);
    return 0;
}
