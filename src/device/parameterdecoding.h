#pragma once

// Decoding of the raw answer of a parameter read (the result fetch). The
// answer A is count, two header octets, then the value right-aligned.

#include <QByteArray>
#include <QString>

namespace DirazSensorPlugin {
namespace Core {

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
// Raw device value to the item index of an enumeration, by id; raw values
// without a rule keep their number. variantKey selects the error-warning map.
int enumIndexFromRaw(const QString &id, int raw, const QString &variantKey);
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
// "8020", "8011" and, when include1601, "1601": the device refused the read.
bool isDeviceErrorCode(const QString &hex, bool include1601 = true);

} // namespace Core
} // namespace DirazSensorPlugin
