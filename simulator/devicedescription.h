#pragma once

#include <string>
#include <vector>

namespace IoLinkSim {

// One parameter node of the description file, as the device sees it: where it
// lives, how wide it is and what it holds after a factory reset.
struct ParameterInfo
{
    enum class Kind { Enumerator, Int, Double, Bool, Action, String };

    std::string id;
    Kind kind = Kind::Int;
    int index = 0;
    int subIndex = 0;
    int size = 0;              // count octet of the parameter's write frame
    double defaultNumber = 0;  // entry index, number, or 0/1, as written in the file
    std::string defaultText;
    int itemCount = 0;         // enumerator entries
    double minimum = 0;
    double maximum = 0;
    bool hasLimits = false;    // the file gives both min and max
    bool readOnly = false;     // the file marks it read-only
};

// One variant of a catalogue model and the product name it reports.
struct VariantInfo
{
    std::string modelId;
    std::string modelName;
    std::string id3;
    std::string productName;
    bool analogOutput = false;
    int maxRange = 0;          // 0 when the catalogue gives none
    int minRange = 0;
};

// The parameter tree and catalogue of the description file.
class DeviceDescription
{
public:
    // False (with a reason) when the file cannot be read; parameters without a
    // complete address are skipped.
    bool load(const std::string &path, std::string *error = nullptr);

    const std::vector<ParameterInfo> &parameters() const { return m_parameters; }
    const std::vector<VariantInfo> &variants() const { return m_variants; }
    const ParameterInfo *find(const std::string &id) const;

    // The name a variant reports at index 0x12 when the catalogue names none:
    // the model id's leading characters, then the variant key, at most 8 long.
    static std::string productNameFor(const std::string &modelId, const std::string &id3);

private:
    std::vector<ParameterInfo> m_parameters;
    std::vector<VariantInfo> m_variants;
};

} // namespace IoLinkSim
