// Member functions of the sensor window whose behaviour is still to come,
// grouped by the subsystem that will define them in its own folder. Delete
// a line here when its real body lands there.

#include "window/sensorwindow.h"

#include "window/logcategories.h"

namespace DirazSensorPlugin {
namespace Core {

// --- live: polling, decoding, charts, units ----------------------------------

// --- device: read, write, rules, teach-in, variants, defaults ----------------

} // namespace Core
} // namespace DirazSensorPlugin
