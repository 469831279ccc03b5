// Member functions of the sensor window whose behaviour is still to come,
// grouped by the subsystem that will define them in its own folder. Delete
// a line here when its real body lands there.

#include "window/sensorwindow.h"

namespace DirazSensorPlugin {
namespace Core {

// --- parameters: editing handlers --------------------------------------------
void SensorWindow::textEdited(QString) {}
void SensorWindow::vTextEditFinished() {}
void SensorWindow::vStateChanged(int) {}
void SensorWindow::itemSelected(QtBrowserItem *) {}
void SensorWindow::intValueChanged(QtProperty *, int) {}
void SensorWindow::doubleValueChanged(QtProperty *, double) {}
void SensorWindow::boolValueChanged(QtProperty *, bool) {}
void SensorWindow::enumValueChanged(QtProperty *, int) {}
void SensorWindow::buttonClicked(QtProperty *) {}
void SensorWindow::vParameterEdited(QtProperty *, const QVariant &) {}
void SensorWindow::signalWriteModeIcon(bool) {}
void SensorWindow::signalWriteModeIcon() {}
void SensorWindow::comboIndexChangedString(QString) {}
void SensorWindow::comboIndexChangedInt(int) {}

// --- parameters: read all and write all --------------------------------------
void SensorWindow::vWriteAllSettings(bool) {}
void SensorWindow::writeAllSettings() {}
void SensorWindow::vRadAllSettings(bool) {}
void SensorWindow::vReadAllParameters() {}

// --- live: polling, decoding, charts, units ----------------------------------
void SensorWindow::vExportChartData() {}
void SensorWindow::vClearHistory() {}
void SensorWindow::vPrintDocument() {}
void SensorWindow::resetIndependentPlotSlot(int) {}
void SensorWindow::slotCurrentOutputChanged(int) {}
void SensorWindow::chartThresholdChanged(uint, double) {}
void SensorWindow::chartThresholdChanged1(uint, double) {}
void SensorWindow::applyUnitLimits() {}
void SensorWindow::convertUnitValues() {}
void SensorWindow::applyAnalogScale() {}
void SensorWindow::finishIdentification() {}

// --- device: read, write, rules, teach-in, variants, defaults ----------------
bool SensorWindow::bReadParameter(QString, bool) { return true; }
void SensorWindow::readIdentification() {}
void SensorWindow::sendDelayValue() {}
void SensorWindow::vApplyParameterRules() {}
void SensorWindow::vApplyTestModeRules(bool) {}
void SensorWindow::vApplyDetectionRangeLimits() {}
void SensorWindow::vZommResetForNoiseLine() {}
void SensorWindow::slotUpdatingTeachValues() {}
void SensorWindow::vSyncThresholds(QString) {}
void SensorWindow::vSendDeviceAction(QString) {}
void SensorWindow::vApplySensorVariant() {}
void SensorWindow::vApplyErrorWarningNames(QString) {}
void SensorWindow::vRestoreFactorySettings() {}
void SensorWindow::vSendFactoryReset() {}

// --- persistence: settings files ----------------------------------------------
void SensorWindow::vSaveSettings() {}
bool SensorWindow::bOpenSettings(QString) { return false; }
bool SensorWindow::bOpenSettings() { return false; }
void SensorWindow::vLoadSettings() {}

} // namespace Core
} // namespace DirazSensorPlugin
