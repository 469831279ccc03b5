#pragma once

// The settings file (*.wts) without widgets: the XML document, the parameter
// string and its numbers, and the atomic write. The window supplies and
// applies the values; this part is what a loader fuzzer and the format
// tests exercise.

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>

namespace DirazSensorPlugin {
namespace Core {
namespace SettingsFile {

// One parameter of the parameter string, as written or as read.
struct Entry
{
    QString id;
    QString value;
};

// What a loaded file holds; absent elements stay absent so the caller
// applies only the parts present.
struct Content
{
    bool hasPluginSettings = false;
    bool hasTreeData = false;
    QString treeData;
    bool hasChart[3] = {false, false, false};
    QString chart[3]; // chartdata1, chartdata2, chartdata3
};

enum class Refusal { None, Corrupted, OtherSensor };

// "id=value;" for each entry, the last one included.
QString joinEntries(const QList<Entry> &entries);
// Split at every ";" (empty parts kept): the id runs to the first "=", the
// value from there to the second "=".
QList<Entry> splitEntries(const QString &data);

// Value texts that read the same under every locale.
QString formatDouble(double value);
// Leading decimal digits with an optional sign after blanks; 0 when none.
int leadingInt(const QString &text);
// The longest leading decimal number; 0.0 when none.
double leadingDouble(const QString &text);

// The whole document, UTF-8, indented.
QByteArray serialize(const QString &pluginId, const QString &sensorId, const QString &treeData,
                     const QString charts[3]);
// Parses a document and checks that it belongs to this plug-in and sensor
// (byte for byte; a missing attribute never matches).
Refusal parse(const QByteArray &bytes, const QString &pluginId, const QString &sensorId, Content *out);

// Writes to a temporary file beside the target and renames it over the old
// one only when complete; on failure the old file stays and error says why.
bool writeAtomically(const QString &path, const QByteArray &bytes, QString *error);

} // namespace SettingsFile
} // namespace Core
} // namespace DirazSensorPlugin
