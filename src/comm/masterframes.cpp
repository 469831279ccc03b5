#include "comm/masterframes.h"

namespace DirazSensorPlugin {
namespace Core {

namespace {

std::string octets(std::initializer_list<unsigned char> list)
{
    return std::string(list.begin(), list.end());
}

inline int bit(std::uint8_t x, int n)
{
    return (x >> n) & 1;
}

} // namespace

std::uint8_t checksum6(std::uint8_t code, const unsigned char *parameters, std::size_t length)
{
    // Seed 0x52 with the check octet's type bits 01 folded in.
    std::uint8_t x = 0x52 ^ 0x40 ^ code;
    for (std::size_t i = 0; i < length; ++i)
        x ^= parameters[i];
    const int d5 = bit(x, 7) ^ bit(x, 5) ^ bit(x, 3) ^ bit(x, 1);
    const int d4 = bit(x, 6) ^ bit(x, 4) ^ bit(x, 2) ^ bit(x, 0);
    const int d3 = bit(x, 7) ^ bit(x, 6);
    const int d2 = bit(x, 5) ^ bit(x, 4);
    const int d1 = bit(x, 3) ^ bit(x, 2);
    const int d0 = bit(x, 1) ^ bit(x, 0);
    return std::uint8_t((d5 << 5) | (d4 << 4) | (d3 << 3) | (d2 << 2) | (d1 << 1) | d0);
}

std::uint8_t checksum6(std::uint8_t code, const std::string &parameters)
{
    return checksum6(code, reinterpret_cast<const unsigned char *>(parameters.data()), parameters.size());
}

std::string buildFrame(std::uint8_t code, const std::string &parameters)
{
    std::string frame;
    frame.reserve(parameters.size() + 3);
    frame.push_back(char(parameters.size() + 2));
    frame.push_back(char(0x40 | checksum6(code, parameters)));
    frame.push_back(char(code));
    frame += parameters;
    return frame;
}

std::string buildReadRequest(std::uint16_t index, std::uint8_t subIndex)
{
    return buildFrame(MasterCode::ParameterRead,
                      octets({std::uint8_t(index & 0xFF), std::uint8_t(index >> 8), subIndex}));
}

std::string buildWrite(std::uint16_t index, std::uint8_t subIndex, std::uint32_t value, int valueOctets)
{
    if (valueOctets != 2 && valueOctets != 4)
        valueOctets = 1;
    std::string params = octets({std::uint8_t(index & 0xFF), std::uint8_t(index >> 8), subIndex});
    for (int i = valueOctets - 1; i >= 0; --i)
        params.push_back(char((value >> (8 * i)) & 0xFF));
    return buildFrame(MasterCode::ParameterWrite, params);
}

std::string buildParameterWrite(std::uint16_t index, std::uint8_t subIndex, std::int64_t value, int size)
{
    const int valueOctets = size == 9 ? 4 : size == 7 ? 2 : 1;
    std::string frame = buildWrite(index, subIndex, std::uint32_t(value & 0xFFFFFFFF), valueOctets);
    // Unusual sizes keep their own count octet; the checksum covers the
    // octets actually sent.
    frame[0] = char(size);
    return frame;
}

std::string buildTextWrite(std::uint16_t index, std::uint8_t subIndex, const QByteArray &text)
{
    std::string params = octets({std::uint8_t(index & 0xFF), std::uint8_t(index >> 8), subIndex});
    const QByteArray cut = text.left(TextParameterLength);
    params.append(cut.constData(), std::size_t(cut.size()));
    params.append(std::size_t(TextParameterLength - cut.size()), '\0');
    return buildFrame(MasterCode::ParameterWrite, params);
}

std::string buildOutputCommand(std::uint8_t b)
{
    return buildFrame(MasterCode::OutputCommand, octets({b}));
}

std::string buildSystemCommand(SystemCommand command)
{
    return buildWrite(SystemCommandIndex, 0, std::uint8_t(command), 1);
}

std::string linkProbeFrame() { return octets({0x03, 0x51, 0x12, 0x01}); }
std::string identifyStep2Frame() { return octets({0x04, 0x73, 0x11, 0x09, 0x03}); }
std::string identifyStep4Frame() { return octets({0x03, 0x70, 0x21, 0x03}); }
std::string cycleFrame() { return octets({0x02, 0x70, 0x22}); }
std::string fetchResultFrame() { return octets({0x02, 0x73, 0x27}); }
std::string textWritePrefixFrame() { return octets({0x02, 0x52, 0x25}); }
std::string outputConfirmFrame() { return octets({0x06, 0x4C, 0x24, 0x00, 0x00, 0x01, 0x98}); }
std::string productNameReadFrame() { return octets({0x05, 0x57, 0x26, 0x12, 0x00, 0x00}); }
std::string objectInfoReadFrame() { return octets({0x05, 0x52, 0x26, 0x11, 0x12, 0x00}); }

std::string systemCommandFrame(SystemCommand command)
{
    switch (command) {
    case SystemCommand::DeviceReset:
        return octets({0x06, 0x4A, 0x24, 0x02, 0x00, 0x00, 0x80});
    case SystemCommand::ApplicationReset:
        return octets({0x06, 0x5B, 0x24, 0x02, 0x00, 0x00, 0x81});
    case SystemCommand::RestoreFactorySettings:
        return octets({0x06, 0x6B, 0x24, 0x02, 0x00, 0x00, 0x82});
    case SystemCommand::BackToBox:
        return octets({0x06, 0x7A, 0x24, 0x02, 0x00, 0x00, 0x83});
    }
    return buildSystemCommand(command);
}

bool isKnownCode(std::uint8_t code)
{
    switch (code) {
    case MasterCode::IdentifyStep2:
    case MasterCode::LinkProbe:
    case MasterCode::IdentifyStep4:
    case MasterCode::Cycle:
    case MasterCode::OutputCommand:
    case MasterCode::ParameterWrite:
    case MasterCode::TextWritePrefix:
    case MasterCode::ParameterRead:
    case MasterCode::FetchResult:
        return true;
    default:
        return false;
    }
}

namespace {

bool parameterLengthFits(std::uint8_t code, std::size_t n)
{
    switch (code) {
    case MasterCode::IdentifyStep2:
        return n == 2;
    case MasterCode::LinkProbe:
    case MasterCode::IdentifyStep4:
    case MasterCode::OutputCommand:
        return n == 1;
    case MasterCode::Cycle:
    case MasterCode::TextWritePrefix:
    case MasterCode::FetchResult:
        return n == 0;
    case MasterCode::ParameterRead:
        return n == 3;
    case MasterCode::ParameterWrite:
        return n == 4 || n == 5 || n == 7 || n == std::size_t(3 + TextParameterLength);
    default:
        return false;
    }
}

} // namespace

FrameCheck validateFrame(const std::string &frame)
{
    if (frame.size() < 3)
        return FrameCheck::TooShort;
    const auto *raw = reinterpret_cast<const unsigned char *>(frame.data());
    if (std::size_t(raw[0]) + 1 != frame.size())
        return FrameCheck::CountMismatch;
    const std::uint8_t code = raw[2];
    if ((raw[1] & 0xC0) != 0x40 || (raw[1] & 0x3F) != checksum6(code, raw + 3, frame.size() - 3))
        return FrameCheck::BadCheckOctet;
    if (!isKnownCode(code))
        return FrameCheck::UnknownCode;
    if (!parameterLengthFits(code, frame.size() - 3))
        return FrameCheck::BadParameterLength;
    return FrameCheck::Valid;
}

bool parseFrame(const std::string &frame, ParsedFrame *out)
{
    if (!out || validateFrame(frame) != FrameCheck::Valid)
        return false;
    ParsedFrame p;
    const auto *raw = reinterpret_cast<const unsigned char *>(frame.data());
    p.code = raw[2];
    p.parameters = frame.substr(3);
    if (p.code == MasterCode::ParameterRead || p.code == MasterCode::ParameterWrite) {
        p.index = std::uint16_t(raw[3] | (raw[4] << 8));
        p.subIndex = raw[5];
        if (p.code == MasterCode::ParameterWrite)
            p.value = frame.substr(6);
    }
    *out = p;
    return true;
}

QByteArray textAnswerOctets(const QByteArray &answer)
{
    QByteArray text = answer;
    text.replace('\0', QByteArray());
    return text.size() > 3 ? text.mid(3) : QByteArray();
}

QString productNameFromAnswer(const QByteArray &answer)
{
    return QString::fromUtf8(textAnswerOctets(answer));
}

QByteArray frameBytes(const std::string &frame)
{
    return QByteArray(frame.data(), int(frame.size()));
}

std::string frameString(const QByteArray &bytes)
{
    return std::string(bytes.constData(), std::size_t(bytes.size()));
}

} // namespace Core
} // namespace DirazSensorPlugin
