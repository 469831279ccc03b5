#pragma once

#include "simulator/devicedescription.h"
#include "simulator/objectmotion.h"

#include "device/parameterdecoding.h"

#include <chrono>
#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace IoLinkSim {

// The sensor: parameter memory laid out as the description file says, a
// measurement of a moving object, switching outputs, teach-in and the
// system commands. Time is virtual (advanced by the caller) unless the real
// clock is switched on.
class DeviceModel
{
public:
    // IO-Link error codes the device answers with.
    enum ErrorCode : std::uint16_t {
        NoError = 0,
        ServiceUnavailable = DirazSensorPlugin::Core::DeviceError::Busy,
        IndexUnavailable = DirazSensorPlugin::Core::DeviceError::IndexUnavailable,
        SubIndexUnavailable = DirazSensorPlugin::Core::DeviceError::SubIndexUnavailable,
        AccessDenied = DirazSensorPlugin::Core::DeviceError::AccessDenied,
        ValueOutOfRange = DirazSensorPlugin::Core::DeviceError::ValueOutOfRange,
        LengthOverrun = DirazSensorPlugin::Core::DeviceError::LengthOverrun,
        LengthUnderrun = DirazSensorPlugin::Core::DeviceError::LengthUnderrun,
        FunctionUnavailable = DirazSensorPlugin::Core::DeviceError::FunctionUnavailable,
    };

    enum class ObjectState { Valid, Absent, TooNear, TooFar };
    struct Measurement
    {
        ObjectState state = ObjectState::Absent;
        int distance = 0;   // millimetres
        int speed = 0;      // millimetres per second
        int intensity = 0;  // 1 .. 250
    };

    struct ReadResult
    {
        enum class Kind { Number, Text, Block, Error };
        Kind kind = Kind::Error;
        std::uint16_t error = NoError;
        int size = 0;        // numbers: the parameter's size
        std::string octets;  // numbers right-aligned in size - 2 octets; text; block
    };

    explicit DeviceModel(const DeviceDescription &description);
    DeviceModel(const DeviceModel &) = delete;
    DeviceModel &operator=(const DeviceModel &) = delete;

    // Variant and identification.
    const std::vector<VariantInfo> &variants() const { return m_variants; }
    bool selectVariant(std::size_t index);
    bool selectProductName(const std::string &productName);
    const VariantInfo *variant() const;
    std::string productName() const;
    // A sensor of another kind: reports this name instead (empty: the variant's).
    void setProductNameOverride(const std::string &name) { m_productOverride = name; }

    // Clock.
    void setRealClock(bool on);
    void advanceClock(std::int64_t ms);
    std::int64_t now() const;
    ObjectMotion &motion() { return m_motion; }

    // What the master does with the device.
    bool isResponsive() const;
    ReadResult read(int index, int subIndex);
    std::uint16_t write(int index, int subIndex, const std::string &value);
    void setMasterOutputs(std::uint8_t outputs) { m_masterOutputs = outputs; }
    std::uint8_t masterOutputs() const { return m_masterOutputs; }
    // Six process-data octets in the layout of the measurement unit, and the
    // status octet.
    std::string processData(std::uint8_t *status);
    // The 37 octets of the object information block after the master header.
    std::string objectInfoBlock();

    // Power and system commands.
    void unplug();
    void plugIn();
    bool isPlugged() const { return m_plugged; }
    void restoreDefaults();
    // The next read of this index answers with the device error code, the
    // one after it normally.
    void failNextRead(int index, std::uint16_t error) { m_failNextRead[index] = error; }

    // Direct access by parameter id, for tests and tracing.
    bool number(const std::string &id, std::int64_t *value) const;
    std::int64_t numberOr(const std::string &id, std::int64_t fallback) const;
    bool setNumber(const std::string &id, std::int64_t value);
    std::string text(const std::string &id) const;
    int measurementUnit() const;
    Measurement measure() const;
    bool teachBusy() const;
    int maxRange() const;

    // Identification texts of the simulated device; they differ from the
    // description's defaults, so a read is told from a default.
    static constexpr const char *kFirmwareRevision = "7.3.2-sim";
    static constexpr const char *kSerialNumber = "SIM20417";
    static constexpr const char *kHardwareRevision = "2.1-sim";
    static constexpr std::int64_t kMsPerHour = 3600000;

    static constexpr std::int64_t kRestartSilenceMs = 500;
    static constexpr std::int64_t kTeachBusyMs = 800;

private:
    struct Cell
    {
        std::string id;
        ParameterInfo::Kind kind = ParameterInfo::Kind::Int;
        int size = 0;
        std::int64_t value = 0;
        std::string text;
        const ParameterInfo *info = nullptr;
    };
    using Address = std::pair<int, int>;

    Cell *cell(const std::string &id);
    const Cell *cell(const std::string &id) const;
    std::int64_t defaultValue(const ParameterInfo &p) const;
    void settle();
    std::uint16_t refusal(const Cell &c, std::int64_t value) const;
    void resetCell(Cell &c);
    void restart();
    void startTeach(const Cell &button, std::int64_t command);
    void finishTeach();
    bool outputActive(int output, const Measurement &m);
    std::uint32_t liveFlags(const Measurement &m) const;

    DeviceDescription m_description;
    std::vector<VariantInfo> m_variants;
    std::size_t m_variantIndex = 0;
    std::string m_productOverride;

    std::map<Address, Cell> m_memory;
    std::map<std::string, Address> m_addressOf;
    std::map<int, std::uint16_t> m_failNextRead;

    bool m_realClock = false;
    std::int64_t m_virtualMs = 0;
    std::int64_t m_realOffsetMs = 0;
    std::chrono::steady_clock::time_point m_realStart;

    ObjectMotion m_motion;
    bool m_plugged = true;
    bool m_backToBox = false;
    std::int64_t m_silentUntil = 0;
    std::uint8_t m_masterOutputs = 0x01; // transmitter on
    bool m_outputState[2] = {false, false};
    Measurement m_held;

    struct Teach
    {
        bool pending = false;
        int output = 0;       // 1, 2; 0 for the analog output
        std::int64_t command = 0;
        std::int64_t doneAt = 0;
    } m_teach;
};

} // namespace IoLinkSim
