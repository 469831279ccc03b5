#pragma once

// Decoding of the cycle answer (process data and status octet) and of the
// object information block. Input is the answer as lower-case hexadecimal
// text; the output says what the process-data rows and charts show.

#include <QString>

#include <array>
#include <cstdint>

namespace DirazSensorPlugin {
namespace Core {

// Speed or intensity of a layout that carries none.
constexpr int AbsentValue = -999999;
// Chart point added once per answer when a special code shows.
constexpr double SpecialCodePoint = 9999999.0;

// Chart graphs of the distance chart.
enum class SpecialCode { None, NoData, TooFar, TooNear };

// The device's special codes as numbers. Distance fields are 2, 3 or 4
// octets wide; the 2-octet layout has no "too near" code of its own (it
// sends all-zero process data) and gives 0. Speed fields are 2 octets,
// intensity fields 1.
std::uint32_t distanceCode(SpecialCode code, int octets);
std::uint16_t speedCode(SpecialCode code);
std::uint8_t intensityCode(SpecialCode code);

// The fields of one cycle answer in the layout chosen by "MesurementUnit".
struct ProcessFields
{
    QString distanceField;  // the characters compared with the special codes
    QString speedField;     // the whole answer when the layout has no speed
    QString intensityField; // the whole answer when the layout has no intensity
    int distance = 0;
    int speed = AbsentValue;
    int intensity = AbsentValue;
    bool allZero = false;   // characters 6..18 all '0'
    int statusOctet = 0;
};
ProcessFields cutProcessFields(const QString &hex, int measurementUnit);

// Signed 32-bit hexadecimal conversion: 0 for an empty, invalid or too
// large run (eight digits from 80000000 up).
int hexToInt32(const QString &digits);
// 16-bit two's complement of a 4-digit run.
int hexToInt16(const QString &digits);

// Special code of a field, compared as exact lower-case text. The distance
// code "0000" is not included: it depends on the zero-answer history.
SpecialCode distanceSpecialCode(const QString &field);
SpecialCode speedSpecialCode(const QString &field);
SpecialCode intensitySpecialCode(const QString &field);
// Row text (column 3) and chart marker text of a special code.
QString specialRowText(SpecialCode code);
QString distanceMarkerText(SpecialCode code);
QString speedMarkerText(SpecialCode code);     // same as intensity
QString intensityMarkerText(SpecialCode code);

// State that lives as long as the window.
struct ProcessDecoderState
{
    int lastDistance = 0;
    int lastSpeed = 0;
    int lastIntensity = 0;
    int zeroAnswerCount = 0;
    bool specialShown = false;
};

// What one row and its graph show after an answer.
struct FieldDisplay
{
    bool valid = true;             // a value is shown and appended to the graph
    SpecialCode special = SpecialCode::None;
    bool addSpecialPoint = false;  // append SpecialCodePoint with vAppendData
    QString rowText;               // column 3 when special
    QString markerText;            // graph marker text when special
    double chartValue = 0.0;       // appended with vAppendMultiFake when valid
    QString valueText;             // column 2 when valid
};

struct ProcessDisplay
{
    FieldDisplay distance;
    FieldDisplay speed;
    FieldDisplay intensity;
    std::array<bool, 8> statusBits{}; // index n is bit n
};

// One cycle answer: updates the state as the window keeps it and says what
// to show. Unit texts are the caller's (column 3 of valid rows).
ProcessDisplay decodeProcessAnswer(ProcessDecoderState &state, const QString &hex, int measurementUnit);

// Status octet (two hexadecimal digits) as bits; index n is bit n.
std::array<bool, 8> statusOctetBits(const QString &twoDigits);

// Object information block.
struct ObjectInfo
{
    bool valid = false;                // the text was exactly 80 characters
    int evaluatedIndex = -1;           // 0..3 when the device names one
    std::array<QString, 4> distanceFields;
    std::array<double, 4> distances{}; // in inches in layout 1
    std::array<int, 4> signalValues{};
};
ObjectInfo decodeObjectInfoBlock(const QString &hex, int measurementUnit);
// Column 3 of the distance row of one object.
QString objectDistanceText(const QString &field, double distance, const QString &distanceUnitText);

} // namespace Core
} // namespace DirazSensorPlugin
