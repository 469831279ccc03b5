#pragma once

#include <sstream>
#include <string>

namespace ExtensionSystem {

// The host's record of one catalogue entry: its id and display name.
class SensorBasic
{
public:
    SensorBasic() = default;
    virtual ~SensorBasic() = default;
    SensorBasic(const SensorBasic &) = default;
    SensorBasic &operator=(const SensorBasic &) = default;

    std::string id() const { return m_id; }
    std::string name() const { return m_name; }

    // Reads `id` and `name` from one entry's XML text; false when either is missing.
    virtual bool fromXMLStream(std::stringstream &stream);

private:
    std::string m_id;
    std::string m_name;
};

} // namespace ExtensionSystem
