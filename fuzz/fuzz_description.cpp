// The catalogue and description file as the plug-in and the simulator read
// it: the depth check and parse, the catalogue lookup (which re-parses the
// entry through the host's record parser), the rules that turn tree nodes
// into captions and numbers, and the simulator's parameter table.
#include "fuzzcheck.h"

#include "catalogue/catalogue.h"
#include "catalogue/descriptionfile.h"
#include "parameters/descriptiondocument.h"
#include "simulator/devicedescription.h"

#include <boost/property_tree/xml_parser.hpp>

#include <cstdint>
#include <vector>

using namespace DirazSensorPlugin::Core;
namespace pt = boost::property_tree;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char *>(data), size);
    for (int flags : {pt::xml_parser::no_comments, pt::xml_parser::no_comments | pt::xml_parser::trim_whitespace}) {
        pt::ptree tree;
        std::string error;
        if (!parseDescriptionText(text, tree, error, flags)) {
            FUZZ_CHECK(!error.empty() && tree.empty());
            continue;
        }
        if (const pt::ptree *list = catalogueSensorList(tree, error))
            for (const auto &entry : *list)
                catalogueLookup(entry.second.get<std::string>("name", ""), tree).variants();

        // Every node of the parameter tree, without recursion.
        std::vector<const pt::ptree *> pending;
        if (const auto branch = tree.get_child_optional("document.treeGui.default"))
            pending.push_back(&*branch);
        while (!pending.empty()) {
            const pt::ptree *node = pending.back();
            pending.pop_back();
            Description::caption(*node, "de");
            Description::entryCaptions(*node, "en");
            Description::actionLabel(*node, "de");
            Description::toInt(Description::text(*node, "min"));
            Description::toDouble(Description::text(*node, "max"));
            for (const auto &child : *node)
                if (Description::isElementKey(child.first))
                    pending.push_back(&child.second);
        }
        IoLinkSim::DeviceDescription description;
        description.load(tree);
    }
    return 0;
}
