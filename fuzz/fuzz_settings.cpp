// A settings file as a person may load it: any bytes, from any program.
#include "fuzzcheck.h"

#include "persistence/settingsfile.h"

#include <cstdint>

using namespace DirazSensorPlugin::Core;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), int(size));
    SettingsFile::Content content;
    SettingsFile::parse(bytes, QStringLiteral("IoLinkK4Kv7family"), QStringLiteral("K4K-R IO-Link"), &content);
    const QString text = QString::fromUtf8(bytes);
    SettingsFile::splitEntries(text);
    SettingsFile::leadingInt(text);
    SettingsFile::leadingDouble(text);
    return 0;
}
