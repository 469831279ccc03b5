#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

class QCommandLineParser;

namespace IoLinkSim {

// Misbehaviour of the master on demand. Frames are counted from 1; a value of
// 0 switches a fault off.
struct FaultSettings
{
    int dropEvery = 0;      // no answer to every Nth frame
    int silentAfter = 0;    // no answer to any frame after the Nth
    int delayMs = 0;        // every answer this late
    int garbageEvery = 0;   // every Nth answer replaced by noise
    int errorEvery = 0;     // every Nth frame answered "ERROR"
    std::string productName; // a sensor of another kind
    int unplugAt = 0;       // the sensor is pulled when the Nth frame arrives
    int replugAt = 0;       // and plugged in again at this frame
    // The first read of each index is answered with the device error code
    // (0x8020 busy, 0x8011, 0x1601); later reads are served.
    std::vector<std::pair<int, std::uint16_t>> firstReadErrors;

    // The command-line flags of the simulator, shared by every program that
    // starts one.
    static void addOptions(QCommandLineParser *parser);
    // False with a reason when a flag holds no usable number.
    static bool fromParser(const QCommandLineParser &parser, FaultSettings *out, std::string *error);
};

} // namespace IoLinkSim
