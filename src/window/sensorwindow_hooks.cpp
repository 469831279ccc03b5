// Member functions of the sensor window whose behaviour is still to come,
// grouped by the subsystem that will define them in its own folder. Delete
// a line here when its real body lands there.

#include "window/sensorwindow.h"

#include "window/logcategories.h"

namespace DirazSensorPlugin {
namespace Core {

// --- parameters: editing handlers --------------------------------------------
void SensorWindow::textEdited(QString) { K4K_NOT_BUILT(); }
void SensorWindow::vTextEditFinished() { K4K_NOT_BUILT(); }
void SensorWindow::vStateChanged(int) { K4K_NOT_BUILT(); }
void SensorWindow::itemSelected(QtBrowserItem *) { K4K_NOT_BUILT(); }
void SensorWindow::intValueChanged(QtProperty *, int) { K4K_NOT_BUILT(); }
void SensorWindow::doubleValueChanged(QtProperty *, double) { K4K_NOT_BUILT(); }
void SensorWindow::boolValueChanged(QtProperty *, bool) { K4K_NOT_BUILT(); }
void SensorWindow::enumValueChanged(QtProperty *, int) { K4K_NOT_BUILT(); }
void SensorWindow::buttonClicked(QtProperty *) { K4K_NOT_BUILT(); }
void SensorWindow::vParameterEdited(QtProperty *, const QVariant &) { K4K_NOT_BUILT(); }
void SensorWindow::signalWriteModeIcon(bool) { K4K_NOT_BUILT(); }
void SensorWindow::signalWriteModeIcon() { K4K_NOT_BUILT(); }
void SensorWindow::comboIndexChangedString(QString) { K4K_NOT_BUILT(); }
void SensorWindow::comboIndexChangedInt(int) { K4K_NOT_BUILT(); }

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
bool SensorWindow::bReadParameter(QString, bool) { K4K_NOT_BUILT(); return false; }
void SensorWindow::readIdentification() { K4K_NOT_BUILT(); }
void SensorWindow::sendDelayValue() { K4K_NOT_BUILT(); }
void SensorWindow::vApplyParameterRules() { K4K_NOT_BUILT(); }
void SensorWindow::vApplyTestModeRules(bool) { K4K_NOT_BUILT(); }
void SensorWindow::vApplyDetectionRangeLimits() { K4K_NOT_BUILT(); }
void SensorWindow::vZommResetForNoiseLine() { K4K_NOT_BUILT(); }
void SensorWindow::slotUpdatingTeachValues() { K4K_NOT_BUILT(); }
void SensorWindow::vSyncThresholds(QString) { K4K_NOT_BUILT(); }
void SensorWindow::vSendDeviceAction(QString) { K4K_NOT_BUILT(); }

} // namespace Core
} // namespace DirazSensorPlugin
