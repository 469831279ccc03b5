#pragma once

// Value rules of a parameter write that need no window: the address text,
// distance conversion, the far limit's "off" codes, button values and the
// octets of a text write.

#include <QByteArray>
#include <QString>

#include <cstdint>

namespace DirazSensorPlugin {
namespace Core {

// "index;subIndex;size" as the property tree keeps it.
struct ParameterAddress
{
    int index = 0;
    int subIndex = 0;
    int size = 0;
    bool valid = false; // three decimal numbers, index and subindex in range
};
ParameterAddress parseParameterAddress(const QString &text);

// The millimetres a distance value stands for: inches (unit 1) are
// converted, every value is rounded half up.
std::int64_t distanceDeviceValue(double value, int measurementUnit);

// "DetectionRangeFar" at or beyond the variant's end switches the limit off
// with a code of its own: 30000 on 10 m variants (objMaxRange 10001), 130000
// on the others.
std::int64_t farRangeDeviceValue(std::int64_t value, int objMaxRange);

// The value a teach button writes to its own address; 0 for any other
// button.
int buttonDeviceValue(const QString &id);

// IO-Link index of a free text parameter: 25 "FunctionTag", 26
// "LocationTag", 24 any other.
int textParameterIndex(const QString &id);

// The UTF-8 octets of a text that fit `maxOctets`, cut after the last whole
// character (the editor limits characters, the frame octets).
QByteArray utf8Prefix(const QString &text, int maxOctets);

} // namespace Core
} // namespace DirazSensorPlugin
