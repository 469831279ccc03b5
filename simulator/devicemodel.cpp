#include "simulator/devicemodel.h"

#include "simulator/devicevalues.h"

#include "comm/masterframes.h"
#include "device/enummapping.h"
#include "device/flagwords.h"
#include "device/parameterwrite.h"
#include "live/processdecoding.h"
#include "live/unitconversion.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <iterator>

namespace IoLinkSim {

namespace {

using Kind = ParameterInfo::Kind;

namespace Proto = DirazSensorPlugin::Core;
using Proto::SpecialCode;

constexpr int kProductNameIndex = Proto::ProductNameIndex;
constexpr int kSystemCommandIndex = Proto::SystemCommandIndex;
constexpr int kObjectInfoIndex = Proto::ObjectInfoIndex;
constexpr std::int64_t kSimulationOff = Proto::SimulationDistanceOff;

// Flag bits of the status word.
constexpr int kFlagContaminationOptic = 1;
constexpr int kFlagTooClose = 4;
constexpr int kFlagTooFar = 5;
constexpr int kFlagNoData = 6;
constexpr int kFlagLightOff = 8;
constexpr int kAnyFlag = 31;

// Conditions a test-mode switch raises, by the bit they set.
const std::pair<const char *, int> kSimulatedFlags[] = {
    {"SimulationContamination", kFlagContaminationOptic}, {"SimulatioContaminationRange", 2},
    {"SimulationAmbient", 3}, {"SimulationFatalError", 17}, {"SimulationTemperatureError", 18},
    {"SimulationTemperatureWarningHigh", 19}, {"SimulationTemperatureWarningLow", 20},
    {"SimulationAnalogOutput", 21}, {"SimulationAccelerationSensor", 22},
    {"SimulationUndervoltage", 28}, {"SimulationShortCircuit", 29}};

// Status octet.
constexpr std::uint8_t kStatusSignalWarning = 0x04;
constexpr std::uint8_t kStatusDeviceError = 0x08;

// Master output octet.
constexpr std::uint8_t kTransmitterOn = 0x01;
constexpr std::uint8_t kHoldValue = 0x80;

bool contains(const std::string &text, const char *part)
{
    return text.find(part) != std::string::npos;
}

int flagBit(const std::string &id)
{
    return DirazSensorPlugin::Core::flagBit(QString::fromStdString(id));
}

bool isNumericText(const ParameterInfo &p)
{
    // Counters shown as text are numbers on the device.
    return p.kind == Kind::String && (p.size == 6 || p.size == 7 || p.size == 9);
}

std::int64_t roundHalfUp(double v)
{
    return std::int64_t(Proto::roundHalfUp(v));
}

SpecialCode specialCodeOf(DeviceModel::ObjectState state)
{
    switch (state) {
    case DeviceModel::ObjectState::Absent:
        return SpecialCode::NoData;
    case DeviceModel::ObjectState::TooFar:
        return SpecialCode::TooFar;
    case DeviceModel::ObjectState::TooNear:
        return SpecialCode::TooNear;
    case DeviceModel::ObjectState::Valid:
        break;
    }
    return SpecialCode::None;
}

} // namespace

DeviceModel::DeviceModel(const DeviceDescription &description)
    : m_description(description), m_variants(description.variants()), m_realStart(std::chrono::steady_clock::now())
{
    for (const ParameterInfo &p : m_description.parameters()) {
        if (p.id.empty())
            continue;
        const Address address(p.index, p.subIndex);
        m_addressOf.emplace(p.id, address);
        if (m_memory.count(address))
            continue; // several ids may share one address; the first defines it
        Cell c;
        c.id = p.id;
        c.kind = isNumericText(p) ? Kind::Int : p.kind;
        c.size = p.size;
        c.info = &p;
        m_memory.emplace(address, c);
    }
    for (auto &entry : m_memory)
        resetCell(entry.second);
    restoreDefaults();
}

bool DeviceModel::selectVariant(std::size_t index)
{
    if (index >= m_variants.size())
        return false;
    m_variantIndex = index;
    restoreDefaults();
    return true;
}

bool DeviceModel::selectProductName(const std::string &productName)
{
    for (std::size_t i = 0; i < m_variants.size(); ++i) {
        if (m_variants[i].productName == productName)
            return selectVariant(i);
    }
    return false;
}

const VariantInfo *DeviceModel::variant() const
{
    return m_variantIndex < m_variants.size() ? &m_variants[m_variantIndex] : nullptr;
}

std::string DeviceModel::productName() const
{
    if (!m_productOverride.empty())
        return m_productOverride;
    return variant() ? variant()->productName : std::string();
}

void DeviceModel::setRealClock(bool on)
{
    if (on == m_realClock)
        return;
    const std::int64_t t = now();
    m_realClock = on;
    m_realStart = std::chrono::steady_clock::now();
    m_realOffsetMs = t;
    m_virtualMs = t;
}

void DeviceModel::advanceClock(std::int64_t ms)
{
    if (m_realClock)
        m_realOffsetMs += ms;
    else
        m_virtualMs += ms;
}

std::int64_t DeviceModel::now() const
{
    if (!m_realClock)
        return m_virtualMs;
    const auto elapsed = std::chrono::steady_clock::now() - m_realStart;
    return m_realOffsetMs + std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count();
}

int DeviceModel::maxRange() const
{
    if (variant() && variant()->maxRange > 0)
        return variant()->maxRange;
    const std::string name = productName();
    return name.size() > 3 && name[3] == 'X' ? 100000 : 10000;
}

std::int64_t DeviceModel::defaultValue(const ParameterInfo &p) const
{
    switch (p.kind) {
    case Kind::Enumerator:
        return enumerationDeviceValue(p.id, int(p.defaultNumber), variant() ? variant()->id3 : std::string());
    case Kind::Int:
        return std::int64_t(p.defaultNumber);
    case Kind::Double:
        return roundHalfUp(p.defaultNumber);
    case Kind::Bool: {
        // A flag word is the sum of its flags; other truth values are not stored.
        if (flagBit(p.id) != 0)
            return 0;
        std::int64_t word = p.defaultNumber != 0 ? 1 : 0;
        for (const ParameterInfo &flag : m_description.parameters()) {
            const int bit = flagBit(flag.id);
            if (bit > 0 && flag.index == p.index && flag.subIndex == p.subIndex && flag.defaultNumber != 0)
                word |= std::int64_t(1) << bit;
        }
        return word;
    }
    case Kind::String:
        return std::atoll(p.defaultText.c_str());
    case Kind::Action:
        break;
    }
    return 0;
}

void DeviceModel::resetCell(Cell &c)
{
    c.value = defaultValue(*c.info);
    c.text = c.kind == Kind::String ? c.info->defaultText : std::string();
    if (c.id == "FirmwareRevisionReadOnly")
        c.text = kFirmwareRevision;
    else if (c.id == "SerialNumberReadOnly")
        c.text = kSerialNumber;
    else if (c.id == "HardwareRevisionReadOnly")
        c.text = kHardwareRevision;
}

void DeviceModel::restoreDefaults()
{
    // Counters belong to the device's life, not to its settings.
    static const char *const kept[] = {"BootCounterSelfReadOnly", "OperatingHoursSelfReadOnly", "CrashCounter"};
    for (auto &entry : m_memory) {
        Cell &c = entry.second;
        if (std::find_if(std::begin(kept), std::end(kept), [&c](const char *id) { return c.id == id; })
            == std::end(kept))
            resetCell(c);
    }
    m_teach = Teach();
    m_outputState[0] = m_outputState[1] = false;
}

DeviceModel::Cell *DeviceModel::cell(const std::string &id)
{
    const auto a = m_addressOf.find(id);
    if (a == m_addressOf.end())
        return nullptr;
    const auto c = m_memory.find(a->second);
    return c == m_memory.end() ? nullptr : &c->second;
}

const DeviceModel::Cell *DeviceModel::cell(const std::string &id) const
{
    return const_cast<DeviceModel *>(this)->cell(id);
}

bool DeviceModel::number(const std::string &id, std::int64_t *value) const
{
    const Cell *c = cell(id);
    if (!c || c->kind == Kind::String)
        return false;
    *value = c->value;
    return true;
}

std::int64_t DeviceModel::numberOr(const std::string &id, std::int64_t fallback) const
{
    std::int64_t v = fallback;
    return number(id, &v) ? v : fallback;
}

bool DeviceModel::setNumber(const std::string &id, std::int64_t value)
{
    Cell *c = cell(id);
    if (!c || c->kind == Kind::String)
        return false;
    c->value = value;
    return true;
}

std::string DeviceModel::text(const std::string &id) const
{
    const Cell *c = cell(id);
    return c ? c->text : std::string();
}

int DeviceModel::measurementUnit() const
{
    const std::int64_t unit = numberOr("MesurementUnit", 0);
    return unit >= 0 && unit <= 3 ? int(unit) : 0;
}

bool DeviceModel::teachBusy() const
{
    return m_teach.pending && now() < m_teach.doneAt;
}

bool DeviceModel::isResponsive() const
{
    return m_plugged && !m_backToBox && now() >= m_silentUntil;
}

void DeviceModel::unplug()
{
    m_plugged = false;
}

void DeviceModel::plugIn()
{
    if (m_plugged && !m_backToBox)
        return;
    m_plugged = true;
    m_backToBox = false;
    restart();
}

void DeviceModel::restart()
{
    m_teach = Teach();
    m_outputState[0] = m_outputState[1] = false;
    m_masterOutputs = kTransmitterOn;
    if (Cell *boots = cell("BootCounterSelfReadOnly"))
        ++boots->value;
    m_silentUntil = now() + kRestartSilenceMs;
}

void DeviceModel::settle()
{
    if (m_teach.pending && now() >= m_teach.doneAt)
        finishTeach();
}

DeviceModel::ReadResult DeviceModel::read(int index, int subIndex)
{
    settle();
    ReadResult r;
    const auto failure = m_failNextRead.find(index);
    if (failure != m_failNextRead.end()) {
        r.error = failure->second;
        m_failNextRead.erase(failure);
        return r;
    }
    if (index == kProductNameIndex && subIndex == 0) {
        r.kind = ReadResult::Kind::Text;
        r.octets = productName();
        return r;
    }
    if (index == kObjectInfoIndex && subIndex == 0) {
        r.kind = ReadResult::Kind::Block;
        r.octets = objectInfoBlock();
        return r;
    }
    const auto it = m_memory.find(Address(index, subIndex));
    if (it == m_memory.end()) {
        const bool indexKnown = std::any_of(m_memory.begin(), m_memory.end(),
                                            [index](const auto &e) { return e.first.first == index; });
        r.error = indexKnown ? SubIndexUnavailable : IndexUnavailable;
        return r;
    }
    const Cell &c = it->second;
    if (c.kind == Kind::String) {
        r.kind = ReadResult::Kind::Text;
        r.octets = c.text;
        return r;
    }
    std::int64_t value = c.value;
    if (c.id == "TeachStatus" && teachBusy())
        value = 1;
    if (c.id == "OperatingHoursSelfReadOnly")
        value += now() / kMsPerHour;
    r.kind = ReadResult::Kind::Number;
    r.size = std::max(c.size, 3);
    r.octets = bigEndian(std::uint64_t(value), r.size - 2);
    return r;
}

std::uint16_t DeviceModel::write(int index, int subIndex, const std::string &value)
{
    settle();
    if (index == kSystemCommandIndex && subIndex == 0) {
        if (value.size() != 1)
            return value.size() > 1 ? LengthOverrun : LengthUnderrun;
        switch (static_cast<unsigned char>(value[0])) {
        case 0x80:
        case 0x81:
            restart();
            return NoError;
        case 0x82:
            restoreDefaults();
            return NoError;
        case 0x83:
            restoreDefaults();
            m_backToBox = true;
            return NoError;
        default:
            return FunctionUnavailable;
        }
    }
    const auto it = m_memory.find(Address(index, subIndex));
    if (it == m_memory.end())
        return IndexUnavailable;
    Cell &c = it->second;
    if (c.info->readOnly || contains(c.id, "ReadOnly") || index == kProductNameIndex)
        return AccessDenied;
    if (c.kind == Kind::String) {
        if (value.size() > 32)
            return LengthOverrun;
        c.text = value.substr(0, value.find('\0'));
        return NoError;
    }
    const int width = valueOctets(c.size);
    if (int(value.size()) != width)
        return int(value.size()) > width ? LengthOverrun : LengthUnderrun;
    std::int64_t v = std::int64_t(fromBigEndian(value));
    if (c.kind == Kind::Action) {
        if (contains(c.id, "TEACHBUTTON")) {
            if (numberOr("TeachLoked", 0) & 0x04)
                return AccessDenied;
            if (m_teach.pending)
                return ServiceUnavailable;
            startTeach(c, v);
        }
        return NoError; // a button holds nothing
    }
    if (const std::uint16_t refused = refusal(c, v))
        return refused;
    c.value = v;
    return NoError;
}

std::uint16_t DeviceModel::refusal(const Cell &c, std::int64_t value) const
{
    const ParameterInfo &p = *c.info;
    if (p.kind == Kind::Enumerator) {
        if (c.id == "TeachLoked")
            return value >= 0 && value <= 0x0F ? NoError : ValueOutOfRange;
        const std::string key = variant() ? variant()->id3 : std::string();
        for (int i = 0; i < p.itemCount; ++i) {
            if (enumerationDeviceValue(c.id, i, key) == value)
                return NoError;
        }
        return ValueOutOfRange;
    }
    if ((p.kind != Kind::Int && p.kind != Kind::Double) || !p.hasLimits)
        return NoError;
    // The far limit's "off" codes lie beyond its maximum on purpose.
    if (c.id == "DetectionRangeFar"
        && (value == Proto::farRangeDeviceValue(10001, 10001) || value == Proto::farRangeDeviceValue(100001, 100001)))
        return NoError;
    if (double(value) > p.maximum)
        return Proto::DeviceError::ValueAboveLimit;
    if (double(value) < p.minimum)
        return Proto::DeviceError::ValueBelowLimit;
    return NoError;
}

void DeviceModel::startTeach(const Cell &button, std::int64_t command)
{
    Teach t;
    t.pending = true;
    t.command = command;
    t.doneAt = now() + kTeachBusyMs;
    if (button.id.rfind("ANALOG", 0) == 0) {
        t.output = 0;
    } else {
        // TEACHBUTTON1, 13, 14 teach output 1; TEACHBUTTON2, 22, 23 output 2.
        const std::size_t digit = button.id.find_first_of("0123456789");
        t.output = digit == std::string::npos ? 1 : button.id[digit] - '0';
    }
    m_teach = t;
}

void DeviceModel::finishTeach()
{
    const Teach t = m_teach;
    m_teach = Teach();
    const Measurement m = measure();
    Cell *status = cell("TeachStatus");
    if (m.state != ObjectState::Valid) {
        if (status)
            status->value = 3;
        return;
    }
    const std::int64_t d = m.distance;
    bool taught = false;
    if (t.output == 0) {
        taught = setNumber(t.command == 2 ? "analog10V" : "analog0V", d);
    } else {
        const std::string n = std::to_string(t.output);
        const std::int64_t w = numberOr("SwitchingThresholdA" + n, d);
        switch (t.command) {
        case 1:
            taught = setNumber("SwitchingThresholdA" + n, d);
            break;
        case 2:
            taught = setNumber("LowerThresholdA" + n, std::llabs(w - d));
            break;
        case 3:
            taught = setNumber("UpperThresholdA" + n, std::llabs(d - w));
            break;
        default:
            break;
        }
    }
    if (status)
        status->value = taught ? 2 : 3;
}

DeviceModel::Measurement DeviceModel::measure() const
{
    Measurement m;
    const std::int64_t t = now();
    double d = 0;
    bool present = m_motion.distanceAt(t, &d);
    double speed = m_motion.speedAt(t);
    if (numberOr("TestMode", 0) != 0) {
        const std::int64_t simulated = numberOr("SimulationDistanceValue", kSimulationOff);
        if (simulated != kSimulationOff) {
            present = true;
            d = double(simulated);
            speed = 0;
        }
    }
    if (!(m_masterOutputs & kTransmitterOn) || !present) {
        m.state = ObjectState::Absent;
        return m;
    }
    const int range = maxRange();
    const int blind = variant() && variant()->minRange > 0 ? variant()->minRange : 50;
    const std::int64_t nearLimit = std::max<std::int64_t>(blind, numberOr("DetectionRangeNear", blind));
    const std::int64_t farLimit = std::min<std::int64_t>(range, numberOr("DetectionRangeFar", range));
    m.distance = int(roundHalfUp(d));
    m.speed = int(roundHalfUp(speed));
    m.intensity = std::clamp(int(250 - 230.0 * d / range), 1, 250);
    if (m.distance < nearLimit)
        m.state = ObjectState::TooNear;
    else if (m.distance > farLimit)
        m.state = ObjectState::TooFar;
    else
        m.state = ObjectState::Valid;
    return m;
}

std::uint32_t DeviceModel::liveFlags(const Measurement &m) const
{
    std::uint32_t flags = 0;
    if (m.state == ObjectState::TooNear)
        flags |= 1u << kFlagTooClose;
    if (m.state == ObjectState::TooFar)
        flags |= 1u << kFlagTooFar;
    if (m.state == ObjectState::Absent)
        flags |= 1u << kFlagNoData;
    if (!(m_masterOutputs & kTransmitterOn))
        flags |= 1u << kFlagLightOff;
    if (numberOr("TestMode", 0) != 0) {
        for (const auto &f : kSimulatedFlags) {
            if (numberOr(f.first, 0) != 0)
                flags |= 1u << f.second;
        }
    }
    return flags;
}

bool DeviceModel::outputActive(int output, const Measurement &m)
{
    const std::string n = std::to_string(output);
    bool &state = m_outputState[output - 1];
    if (numberOr("TestMode", 0) != 0) {
        const std::int64_t forced = numberOr("TestA" + n, 0);
        if (forced != 0)
            return state = forced == 2;
    }
    const std::int64_t function = numberOr("PinFunctionA" + n, 0);
    const std::int64_t mode = numberOr("TeachInMode" + n, 0);
    const std::int64_t w = numberOr("SwitchingThresholdA" + n, 1000);
    const std::int64_t h = numberOr("HysteresisA" + n, 20);
    bool on = false;
    switch (function) {
    case 0: { // distance
        if (m.state == ObjectState::Absent || m.state == ObjectState::TooFar) {
            on = false;
        } else {
            const std::int64_t d = m.state == ObjectState::TooNear ? 0 : m.distance;
            const std::int64_t slack = state ? h : 0; // hysteresis keeps a switched output on
            if (mode == 2) {
                const std::int64_t low = w - numberOr("LowerThresholdA" + n, 0);
                const std::int64_t high = w + numberOr("UpperThresholdA" + n, 0);
                on = d >= low - slack && d <= high + slack;
            } else if (mode == 4) {
                on = m.intensity >= numberOr("IntensitySCC" + n, 30);
            } else if (mode == 5) {
                on = false; // jump detection reacts to edges the script does not make
            } else {
                on = d <= w + slack;
            }
        }
        break;
    }
    case 1:
        on = m.state == ObjectState::Valid && std::llabs(m.speed) >= w;
        break;
    case 2:
        on = m.state == ObjectState::Valid && m.intensity >= numberOr("IntensitySCC" + n, 30);
        break;
    case 6:
        on = liveFlags(m) != 0;
        break;
    default:
        on = false; // inputs and off
        break;
    }
    state = on;
    return numberOr("NONCA" + n, 0) != 0 ? !on : on;
}

std::string DeviceModel::processData(std::uint8_t *status)
{
    settle();
    Measurement m = measure();
    if (m_masterOutputs & kHoldValue)
        m = m_held;
    else
        m_held = m;

    const std::uint32_t flags = liveFlags(m);
    std::uint8_t s = 0;
    if (outputActive(1, m))
        s |= 0x01;
    if (outputActive(2, m))
        s |= 0x02;
    const std::uint32_t warnMask = std::uint32_t(numberOr("SignalWarning", 0));
    const std::uint32_t errorMask = std::uint32_t(numberOr("ErrSignalWarning", 0));
    if ((warnMask & 1) && (flags & warnMask & ~1u))
        s |= kStatusSignalWarning;
    if ((errorMask & 1) && (flags & errorMask & ~1u))
        s |= kStatusDeviceError;
    for (int k = 0; k < 4; ++k) {
        const std::int64_t selected = numberOr("ErrorWarning" + std::to_string(k + 1), 0);
        const bool active = selected == kAnyFlag ? flags != 0
                                                 : selected > 0 && selected < 31 && (flags & (1u << selected));
        if (active)
            s |= std::uint8_t(0x10 << k);
    }

    const int unit = measurementUnit();
    std::string pd(6, '\0');
    auto put = [&pd](int at, std::uint64_t v, int octets) { pd.replace(std::size_t(at), std::size_t(octets), bigEndian(v, octets)); };
    const bool valid = m.state == ObjectState::Valid;
    const int speed = std::clamp(m.speed, -0x7FF0, 0x7FF0);
    const SpecialCode special = specialCodeOf(m.state);
    const std::uint16_t speedCode = valid ? std::uint16_t(speed) : Proto::speedCode(special);
    const std::uint8_t intensityCode = valid ? std::uint8_t(m.intensity) : Proto::intensityCode(special);
    if (unit == 2) {
        std::uint32_t d = std::uint32_t(std::min(m.distance, 0x7FFFF0));
        if (!valid)
            d = Proto::distanceCode(special, 3);
        put(1, d, 3);
        put(4, speedCode, 2);
    } else if (unit == 3) {
        if (m.state == ObjectState::TooNear) {
            // This layout reports "too near" as all-zero process data, which the
            // host recognises only while the status octet's upper half is clear.
            s &= 0x0F;
        } else {
            std::uint16_t d = std::uint16_t(std::min(m.distance, 0x7FF0));
            if (!valid)
                d = std::uint16_t(Proto::distanceCode(special, 2));
            put(1, d, 2);
            put(3, speedCode, 2);
            put(5, intensityCode, 1);
        }
    } else {
        // Unit 1 reports tenths of an inch.
        std::uint32_t d = std::uint32_t(unit == 1 ? roundHalfUp(m.distance * 10 / Proto::InchesToMillimetres)
                                                  : m.distance);
        if (!valid)
            d = Proto::distanceCode(special, 4);
        put(1, d, 4);
    }
    if (status)
        *status = s;
    return pd;
}

std::string DeviceModel::objectInfoBlock()
{
    settle();
    const Measurement m = measure();
    std::string block(37, '\0');
    auto put = [&block](int answerOffset, std::uint64_t v, int octets) {
        block.replace(std::size_t(answerOffset - 3), std::size_t(octets), bigEndian(v, octets));
    };
    std::uint32_t distances[4] = {0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF};
    std::uint32_t signals[4] = {0xFF, 0xFF, 0xFF, 0xFF};
    int objects = 1;
    switch (m.state) {
    case ObjectState::Valid: {
        distances[0] = std::uint32_t(m.distance);
        signals[0] = std::uint32_t(m.intensity);
        // The echo between sensor and object comes back once more, weaker.
        const std::int64_t farLimit = std::min<std::int64_t>(maxRange(), numberOr("DetectionRangeFar", maxRange()));
        if (2 * std::int64_t(m.distance) <= farLimit) {
            distances[1] = std::uint32_t(2 * m.distance);
            signals[1] = std::uint32_t(std::max(1, m.intensity / 3));
            objects = 2;
        }
        break;
    }
    case ObjectState::Absent:
    case ObjectState::TooFar:
    case ObjectState::TooNear:
        distances[0] = Proto::distanceCode(specialCodeOf(m.state), 4);
        signals[0] = 0;
        break;
    }
    put(3, std::uint32_t(objects), 4);
    put(7, 0, 1); // the device evaluates the nearest object
    for (int k = 0; k < 4; ++k) {
        put(8 + 4 * k, distances[k], 4);
        put(24 + 4 * k, signals[k], 4);
    }
    return block;
}

} // namespace IoLinkSim
