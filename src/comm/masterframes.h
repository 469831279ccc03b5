#pragma once

// Frames of the IO-Link master adapter: count, check, code, parameters.
// Frames are raw octets in a std::string (they may hold zero octets).

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <string>

namespace DirazSensorPlugin {
namespace Core {

namespace MasterCode {
constexpr std::uint8_t IdentifyStep2 = 0x11;
constexpr std::uint8_t LinkProbe = 0x12;
constexpr std::uint8_t IdentifyStep4 = 0x21;
constexpr std::uint8_t Cycle = 0x22;
constexpr std::uint8_t OutputCommand = 0x23;
constexpr std::uint8_t ParameterWrite = 0x24;
constexpr std::uint8_t TextWritePrefix = 0x25;
constexpr std::uint8_t ParameterRead = 0x26;
constexpr std::uint8_t FetchResult = 0x27;
} // namespace MasterCode

// Values of the IO-Link system-command parameter (index 2).
enum class SystemCommand : std::uint8_t {
    DeviceReset = 0x80,
    ApplicationReset = 0x81,
    RestoreFactorySettings = 0x82,
    BackToBox = 0x83,
};

constexpr std::uint16_t ProductNameIndex = 0x0012;
constexpr std::uint16_t ObjectInfoIndex = 0x1211;
constexpr std::uint16_t SystemCommandIndex = 0x0002;
constexpr int TextParameterLength = 32;
constexpr int ObjectInfoAnswerLength = 40;
constexpr int CycleAnswerLength = 10;
constexpr int ProbeAnswerLength = 4;

// The six checksum bits (D5..D0) over the code and the parameter octets;
// the check octet is 0x40 | checksum6(...).
std::uint8_t checksum6(std::uint8_t code, const unsigned char *parameters, std::size_t length);
std::uint8_t checksum6(std::uint8_t code, const std::string &parameters);

// Any frame: count, check octet, code, parameters.
std::string buildFrame(std::uint8_t code, const std::string &parameters = std::string());

// 05 check 26 idxLo idxHi sub
std::string buildReadRequest(std::uint16_t index, std::uint8_t subIndex);
// Write of a value of 1, 2 or 4 octets (big-endian); other octet counts are
// treated as 1.
std::string buildWrite(std::uint16_t index, std::uint8_t subIndex, std::uint32_t value, int valueOctets);
// Write for a parameter whose address gives `size` (the frame's count octet):
// 7 sends two value octets, 9 four, anything else one octet with `size` kept
// as the count, as the description document dictates.
std::string buildParameterWrite(std::uint16_t index, std::uint8_t subIndex, std::int64_t value, int size);
// Text write: count 0x25, the text's octets cut or zero-padded to 32.
std::string buildTextWrite(std::uint16_t index, std::uint8_t subIndex, const QByteArray &text);
// 03 check 23 b
std::string buildOutputCommand(std::uint8_t b);
// 06 check 24 02 00 00 cmd
std::string buildSystemCommand(SystemCommand command);

// Frames that never change.
std::string linkProbeFrame();          // 03 51 12 01
std::string identifyStep2Frame();      // 04 73 11 09 03
std::string identifyStep4Frame();      // 03 70 21 03
std::string cycleFrame();              // 02 70 22
std::string fetchResultFrame();        // 02 73 27
std::string textWritePrefixFrame();    // 02 52 25
std::string outputConfirmFrame();      // 06 4C 24 00 00 01 98
std::string productNameReadFrame();    // 05 57 26 12 00 00
std::string objectInfoReadFrame();     // 05 52 26 11 12 00
std::string systemCommandFrame(SystemCommand command); // the four stored system-command writes

// What is wrong with a received command frame, for the simulator's side.
enum class FrameCheck {
    Valid,
    TooShort,          // fewer than 3 octets
    CountMismatch,     // count octet does not match the length
    BadCheckOctet,     // type bits or checksum bits wrong
    UnknownCode,
    BadParameterLength // length not one the code takes
};
FrameCheck validateFrame(const std::string &frame);
bool isKnownCode(std::uint8_t code);

// Parsed view of a valid frame.
struct ParsedFrame
{
    std::uint8_t code = 0;
    std::string parameters;
    // For 0x24 and 0x26:
    std::uint16_t index = 0;
    std::uint8_t subIndex = 0;
    std::string value; // 0x24 only: the value octets (big-endian or text)
};
// False unless validateFrame(frame) is Valid.
bool parseFrame(const std::string &frame, ParsedFrame *out);

// Text of a parameter-result answer: every zero octet removed, then the
// first 3 octets (count and master header) dropped; empty when no more than
// 3 octets remain.
QByteArray textAnswerOctets(const QByteArray &answer);
QString productNameFromAnswer(const QByteArray &answer);

// Raw octets of a std::string frame as QByteArray and back (zeros kept).
QByteArray frameBytes(const std::string &frame);
std::string frameString(const QByteArray &bytes);

} // namespace Core
} // namespace DirazSensorPlugin
