// Member functions of the sensor window whose behaviour is still to come,
// grouped by the subsystem that will define them in its own folder. Delete
// a line here when its real body lands there.

#include "window/sensorwindow.h"

#include "window/logcategories.h"

namespace DirazSensorPlugin {
namespace Core {

// --- live: polling, decoding, charts, units ----------------------------------
void SensorWindow::vExportChartData() { K4K_NOT_BUILT(); }
void SensorWindow::vClearHistory() { K4K_NOT_BUILT(); }
void SensorWindow::vPrintDocument() { K4K_NOT_BUILT(); }
void SensorWindow::resetIndependentPlotSlot(int) { K4K_NOT_BUILT(); }
void SensorWindow::slotCurrentOutputChanged(int) { K4K_NOT_BUILT(); }
void SensorWindow::chartThresholdChanged(uint, double) { K4K_NOT_BUILT(); }
void SensorWindow::chartThresholdChanged1(uint, double) { K4K_NOT_BUILT(); }
void SensorWindow::applyUnitLimits() { K4K_NOT_BUILT(); }
void SensorWindow::convertUnitValues() { K4K_NOT_BUILT(); }
void SensorWindow::applyAnalogScale() { K4K_NOT_BUILT(); }
void SensorWindow::finishIdentification() { K4K_NOT_BUILT(); }

// --- device: read, write, rules, teach-in, variants, defaults ----------------
void SensorWindow::vApplyParameterRules() { K4K_NOT_BUILT(); }
void SensorWindow::vApplyTestModeRules(bool) { K4K_NOT_BUILT(); }
void SensorWindow::vApplyDetectionRangeLimits() { K4K_NOT_BUILT(); }
void SensorWindow::vZommResetForNoiseLine() { K4K_NOT_BUILT(); }
void SensorWindow::slotUpdatingTeachValues() { K4K_NOT_BUILT(); }
void SensorWindow::vSyncThresholds(QString) { K4K_NOT_BUILT(); }
void SensorWindow::vSendDeviceAction(QString) { K4K_NOT_BUILT(); }

} // namespace Core
} // namespace DirazSensorPlugin
