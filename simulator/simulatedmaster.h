#pragma once

#include "simulator/devicemodel.h"
#include "simulator/faultsettings.h"

#include <random>
#include <string>

namespace IoLinkSim {

// What goes back on the wire for one frame.
struct MasterReply
{
    bool answered = false;
    std::string octets;
    int delayMs = 0;
};

// The master adapter: checks each frame, drives the device and builds the
// count-prefixed answers, misbehaving as the fault settings ask.
class SimulatedMaster
{
public:
    explicit SimulatedMaster(const DeviceDescription &description);

    DeviceModel &model() { return m_model; }
    const DeviceModel &model() const { return m_model; }
    void setFaults(const FaultSettings &faults);
    const FaultSettings &faults() const { return m_faults; }
    int framesReceived() const { return m_frames; }

    MasterReply handleFrame(const std::string &frame);

    static std::string errorAnswer();

    // Second octet of every answer; the host ignores it, but it must not be
    // zero or it would vanish from text answers.
    static constexpr unsigned char kHeader = 0x5A;

private:
    std::string answer(const std::string &frame);
    std::string fetchAnswer();
    std::string garbage();

    DeviceModel m_model;
    FaultSettings m_faults;
    int m_frames = 0;
    bool m_havePending = false;
    DeviceModel::ReadResult m_pending;
    std::minstd_rand m_random{20240611u};
};

} // namespace IoLinkSim
