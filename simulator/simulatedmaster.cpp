#include "simulator/simulatedmaster.h"

#include "comm/masterframes.h"

namespace IoLinkSim {

namespace Proto = DirazSensorPlugin::Core;

namespace {

std::string counted(std::uint8_t code, const std::string &body)
{
    std::string out;
    out.push_back(char(body.size() + 2));
    out.push_back(char(SimulatedMaster::kHeader));
    out.push_back(char(code));
    return out + body;
}

std::string errorCode(std::uint16_t error)
{
    return std::string{char(error >> 8), char(error & 0xFF)};
}

bool every(int n, int frame)
{
    return n > 0 && frame % n == 0;
}

} // namespace

SimulatedMaster::SimulatedMaster(const DeviceDescription &description) : m_model(description)
{
}

void SimulatedMaster::setFaults(const FaultSettings &faults)
{
    m_faults = faults;
    m_model.setProductNameOverride(faults.productName);
    for (const auto &e : faults.firstReadErrors)
        m_model.failNextRead(e.first, e.second);
}

std::string SimulatedMaster::errorAnswer()
{
    return std::string("\x05" "ERROR", 6);
}

MasterReply SimulatedMaster::handleFrame(const std::string &frame)
{
    MasterReply reply;
    const int n = ++m_frames;
    if (n == m_faults.unplugAt)
        m_model.unplug();
    if (n == m_faults.replugAt)
        m_model.plugIn();
    if (m_faults.silentAfter > 0 && n > m_faults.silentAfter)
        return reply;
    if (every(m_faults.dropEvery, n) || !m_model.isResponsive())
        return reply;
    reply.answered = true;
    reply.delayMs = m_faults.delayMs;
    if (every(m_faults.errorEvery, n)) {
        reply.octets = errorAnswer();
        return reply;
    }
    reply.octets = answer(frame);
    if (every(m_faults.garbageEvery, n))
        reply.octets = garbage();
    return reply;
}

std::string SimulatedMaster::answer(const std::string &frame)
{
    Proto::ParsedFrame f;
    if (!Proto::parseFrame(frame, &f))
        return errorAnswer();
    switch (f.code) {
    case Proto::MasterCode::LinkProbe:
        return counted(f.code, std::string(1, '\x01'));
    case Proto::MasterCode::Cycle: {
        std::uint8_t status = 0;
        const std::string pd = m_model.processData(&status);
        return counted(f.code, pd + char(status));
    }
    case Proto::MasterCode::OutputCommand:
        m_model.setMasterOutputs(static_cast<std::uint8_t>(f.parameters[0]));
        return counted(f.code, std::string());
    case Proto::MasterCode::ParameterRead:
        m_pending = m_model.read(f.index, f.subIndex);
        m_havePending = true;
        return counted(f.code, std::string());
    case Proto::MasterCode::FetchResult:
        return fetchAnswer();
    case Proto::MasterCode::ParameterWrite: {
        const std::uint16_t error = m_model.write(f.index, f.subIndex, f.value);
        return counted(f.code, error ? errorCode(error) : std::string());
    }
    default: // identification steps and the text-write prefix
        return counted(f.code, std::string());
    }
}

std::string SimulatedMaster::fetchAnswer()
{
    const std::uint8_t code = Proto::MasterCode::FetchResult;
    if (!m_havePending)
        return counted(code, std::string(1, '\0'));
    m_havePending = false;
    const DeviceModel::ReadResult &r = m_pending;
    switch (r.kind) {
    case DeviceModel::ReadResult::Kind::Error:
        return counted(code, errorCode(r.error));
    case DeviceModel::ReadResult::Kind::Text:
        // An empty text still carries one octet, so the answer never looks
        // like a bare header.
        return counted(code, r.octets.empty() ? std::string(1, '\0') : r.octets);
    case DeviceModel::ReadResult::Kind::Number:
    case DeviceModel::ReadResult::Kind::Block:
        break;
    }
    return counted(code, r.octets);
}

std::string SimulatedMaster::garbage()
{
    std::uniform_int_distribution<int> length(4, 11), octet(0, 255);
    std::string noise(std::size_t(length(m_random)), '\0');
    for (char &c : noise)
        c = char(octet(m_random));
    noise[0] = char(noise.size() + 7); // a count the noise never fulfils
    return noise;
}

} // namespace IoLinkSim
