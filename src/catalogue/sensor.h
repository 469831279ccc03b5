#pragma once

#include <extensionsystem/sensorbasic.h>

#include <boost/property_tree/ptree.hpp>
#include <sstream>
#include <string>

namespace DirazSensorPlugin {
namespace Core {

// The window's catalogue record: the host's record plus the whole entry.
class Sensor : public ExtensionSystem::SensorBasic
{
public:
    Sensor();
    ~Sensor() override;
    Sensor(const Sensor &) = default;
    Sensor &operator=(const Sensor &) = default;

    bool fromXMLStream(std::stringstream &stream) override;

    int characterDelay() const;
    int lineDelay() const;
    bool thresholdsReadOnly() const;
    const boost::property_tree::ptree &variants() const;
    std::string language() const { return m_language; }
    const boost::property_tree::ptree &entry() const { return m_entry; }

private:
    boost::property_tree::ptree m_entry;
    std::string m_language;
};

} // namespace Core
} // namespace DirazSensorPlugin
