#pragma once

// Decoding of the raw answer of a parameter read (the result fetch). The
// answer A is count, two header octets, then the value right-aligned.

#include "device/enummapping.h"

#include <QByteArray>
#include <QString>

#include <cstdint>

namespace DirazSensorPlugin {
namespace Core {

// Error codes the device answers instead of a value. The first three make a
// read worth repeating; the others refuse a write.
namespace DeviceError {
constexpr std::uint16_t Busy = 0x8020;
constexpr std::uint16_t IndexUnavailable = 0x8011;
constexpr std::uint16_t NotYetAvailable = 0x1601;
constexpr std::uint16_t SubIndexUnavailable = 0x8012;
constexpr std::uint16_t AccessDenied = 0x8023;
constexpr std::uint16_t ValueOutOfRange = 0x8030;
constexpr std::uint16_t ValueAboveLimit = 0x8031;
constexpr std::uint16_t ValueBelowLimit = 0x8032;
constexpr std::uint16_t LengthOverrun = 0x8033;
constexpr std::uint16_t LengthUnderrun = 0x8034;
constexpr std::uint16_t FunctionUnavailable = 0x8035;
} // namespace DeviceError

// A double value the device uses for "not set": the property keeps its value.
constexpr int SkippedDoubleValue = 65535;

// A as lower-case hexadecimal text.
QString answerHex(const QByteArray &answer);
// The first two hexadecimal digits read as a decimal number (a count octet
// whose hexadecimal form holds a letter gives 0).
int answerCount(const QByteArray &answer);
// The answer carries data when its count is above 4.
bool answerCarriesData(const QByteArray &answer);
// The last `octets` octets, most significant first, as a signed 32-bit
// number (four octets with the top bit set give 0; no octets give 0).
int lastOctetsValue(const QByteArray &answer, int octets);

// Value of an int property whose address gives `size`.
int intAnswerValue(const QByteArray &answer, int size);
// Value of a double property (four octets for size 9); compare with
// SkippedDoubleValue before applying.
int doubleAnswerValue(const QByteArray &answer, int size);
// "DetectionRangeNear" and "DetectionRangeFar": the last three octets.
int rangeAnswerValue(const QByteArray &answer);
// Raw value of an enumeration property.
int enumRawValue(const QByteArray &answer);
// The last eight hexadecimal digits as a signed 32-bit number ("SelfReadOnly"
// values and the two flag words).
int lastEightDigitsValue(const QByteArray &answer);

// Text of a string parameter: zero octets removed, first 3 octets dropped,
// read as UTF-8.
QString textParameterValue(const QByteArray &answer);
// Hexadecimal form of the octets textParameterValue reads.
QString textOctetsHex(const QByteArray &answer);
// Hexadecimal form of A without its first 3 octets (zeros kept).
QString payloadHex(const QByteArray &answer);
// Busy, IndexUnavailable and, when include1601, NotYetAvailable, as
// hexadecimal text: the device could not serve the read.
bool isDeviceErrorCode(const QString &hex, bool include1601 = true);

} // namespace Core
} // namespace DirazSensorPlugin
