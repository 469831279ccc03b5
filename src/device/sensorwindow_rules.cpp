// Which parameters the tree shows, recomputed as a whole from the current
// values of the controlling parameters, and the threshold marks that go with
// the selected output.

#include "window/sensorwindow.h"

#include "window/sensorwindowprivate.h"
#include "window/sensorwindowui.h"

#include <qtdoublepropertymanager.h>
#include <qtenumpropertymanager.h>
#include <qtproperty.h>
#include <utils/thresholdmultimanager.h>
#include <utils/thresholdwindowwidgetgeneric.h>
#include <utils/thresholdwindowwidgetuniversal.h>

#include <QAction>
#include <QComboBox>

#include <algorithm>

namespace DirazSensorPlugin {
namespace Core {

namespace {

// `name` with its output digit: at(QStringLiteral("HysteresisA%1"), 2).
QString at(const char *name, int output)
{
    return QString::fromLatin1(name).arg(output);
}

} // namespace

void SensorWindow::vApplyParameterRules()
{
    enableTreeDataHandling(false);
    const int selected = d->outputSelector ? d->outputSelector->currentIndex() : 0;
    Utils::ThresholdWindowWidgetGeneric *marks = d->thresholdMarkers.value(0);
    if (marks) {
        marks->showLowerMark(false);
        marks->showUpperMark(false);
        marks->showMiddleMark(false);
        marks->showMiddleMark1(false);
    }

    // -1 for a parameter the tree lacks, so no rule row matches it.
    auto enumIndex = [this](const QString &id) {
        QtProperty *p = findProperty(id);
        return p && p->propertyManager() == d->enumManager ? d->enumManager->value(p) : -1;
    };
    auto number = [this](const QString &id) {
        QtProperty *p = findProperty(id);
        return p && p->propertyManager() == d->doubleManager ? d->doubleManager->value(p) : 0.0;
    };
    auto show = [this](std::initializer_list<QString> ids, bool visible) {
        for (const QString &id : ids)
            vSetPropertyVisible(id, visible);
    };

    // Only one output can be the input pin; the other one falls back.
    QtProperty *pin1 = findProperty(QStringLiteral("PinFunctionA1"));
    QtProperty *pin2 = findProperty(QStringLiteral("PinFunctionA2"));
    if (pin1)
        pin1->setEnabled(true);
    if (pin2)
        pin2->setEnabled(true);
    if (enumIndex(QStringLiteral("PinFunctionA1")) == 4 && pin2) {
        d->enumManager->setValue(pin2, 0);
        pin2->setEnabled(false);
    }
    if (enumIndex(QStringLiteral("PinFunctionA2")) == 4 && pin1) {
        d->enumManager->setValue(pin1, 0);
        pin1->setEnabled(false);
    }

    vSetPropertyVisible(QStringLiteral("Output1Settings"), true);
    for (const char *id : {"NONCA1", "NPNPNP1", "OnDelay1", "OffDelay1", "InputMode1", "IntensitySCC2"})
        vSetPropertyVisible(QLatin1String(id), false);

    for (int n = 1; n <= 2; ++n) {
        for (const char *id : {"SSC%1JumpHeightMin", "SSC%1JumpHeightMax", "SSC%1JumpDirection", "SSC%1CycleOffset",
                               "SSC%1JumpImpulse", "SSC%1DistanceWindow", "SSC%1IntensitySwitchPoint",
                               "SSC%1IntensityWindow", "SSC%1IntensityHysteresis", "TEACHBUTTON%1", "HysteresisA%1"})
            vSetPropertyVisible(at(id, n), false);
        if (n == 1)
            vSetPropertyVisible(QStringLiteral("IntensitySCC1"), false);

        const QString lower = at("LowerThresholdA%1", n);
        const QString upper = at("UpperThresholdA%1", n);
        const QString switching = at("SwitchingThresholdA%1", n);
        const QString hysteresis = at("HysteresisA%1", n);
        const QString teach = at("TEACHBUTTON%1", n);
        const int mode = enumIndex(at("TeachInMode%1", n));
        switch (mode) {
        case 2: // window mode; the switching point keeps its last visibility
            show({lower, upper, teach, hysteresis}, true);
            break;
        case 3:
            show({at("SSC%1JumpHeightMin", n), at("SSC%1JumpHeightMax", n), at("SSC%1JumpDirection", n),
                  at("SSC%1CycleOffset", n), at("SSC%1JumpImpulse", n)}, true);
            show({lower, upper, switching}, false);
            break;
        case 4:
            show({at("IntensitySCC%1", n), at("SSC%1DistanceWindow", n), at("SSC%1IntensitySwitchPoint", n),
                  at("SSC%1IntensityWindow", n), at("SSC%1IntensityHysteresis", n), switching, hysteresis, teach},
                 true);
            show({lower, upper}, false);
            break;
        default:
            show({teach, switching, hysteresis}, true);
            show({lower, upper}, false);
            break;
        }

        // The manager keeps both outputs' marks, drawn or not.
        const double w = number(switching);
        const int h = int(number(hysteresis));
        if (d->thresholdManager && mode != 3) {
            d->thresholdManager->setMiddle(n, 3, w);
            if (mode == 2) {
                d->thresholdManager->setLow(n, 3, int(w) - int(number(lower)));
                d->thresholdManager->setHigh(n, 3, int(number(upper)) + int(w));
            }
        }
        if (marks && selected == n - 1 && mode != 3) {
            marks->showMiddleMark(true);
            marks->setMiddleMark(w);
            marks->setNoiseMiddleMark(h, true);
            if (mode == 2) {
                marks->showLowerMark(true);
                marks->showUpperMark(true);
                marks->setLowerMark(int(w) - int(number(lower)));
                marks->setUpperMark(int(number(upper)) + int(w));
                marks->setNoise(h, -1, false);
                marks->setNoiseOrientation(true, false, false);
                marks->setNoiseMiddleMark(0, true);
            }
        }

        if (n == 2) {
            vSetPropertyVisible(QStringLiteral("Output2Settings"), !d->analogPresent);
            for (const char *id : {"NONCA2", "NPNPNP2", "OnDelay2", "OffDelay2", "InputMode2"})
                vSetPropertyVisible(QLatin1String(id), false);
        }
        // Output 1's pin function table runs before output 2's teach table.
        switch (enumIndex(at("PinFunctionA%1", n))) {
        case 0:
        case 1:
        case 2:
            show({at("NONCA%1", n), at("NPNPNP%1", n), at("OnDelay%1", n), at("OffDelay%1", n)}, true);
            break;
        case 3:
        case 4:
            vSetPropertyVisible(at("InputMode%1", n), true);
            break;
        case 5:
            vSetPropertyVisible(at("Output%1Settings", n), false);
            break;
        case 6:
            if (!d->analogPresent)
                show({at("Output%1Settings", n), at("NPNPNP%1", n)}, true);
            break;
        default:
            break;
        }
    }

    const bool thirdIsOutput = enumIndex(QStringLiteral("PinFunctionA3")) > 1;
    show({QStringLiteral("InputMode3"), QStringLiteral("Output3Settings")}, !thirdIsOutput);

    const int testMode = enumIndex(QStringLiteral("TestMode"));
    vApplyTestModeRules(testMode > 0);

    // Read mode locks the marks; otherwise connecting and disconnecting
    // (from the catalogue) decide, and the rules leave them be.
    if (marks && ui->actionRead->isChecked())
        marks->setReadOnly(true);
    vApplyDetectionRangeLimits();
    enableTreeDataHandling(true);
}

void SensorWindow::vApplyTestModeRules(bool on)
{
    vSetPropertyVisible(QStringLiteral("SimulationDistanceValue"), on);
    QtProperty *source = findProperty(QStringLiteral("SimulationDistanceValue"));
    const bool fixedDistance = source && source->propertyManager() == d->enumManager
                               && d->enumManager->value(source) == 1;
    vSetPropertyVisible(QStringLiteral("SimulationMeasurementValue"), on && fixedDistance);
    for (const char *id : {"TestA1", "TestA2"})
        vSetPropertyVisible(QLatin1String(id), on);
    for (const char *id : {"SimulaionAnalogVoltage", "SimulaionAnalogCurrent", "SimulationAnalogOutput"})
        vSetPropertyVisible(QLatin1String(id), on && d->analogPresent);
    for (const char *id : {"SimulationWarning", "SimulationContamination", "SimulatioContaminationRange",
                           "SimulationAmbient", "SimulationFatalError", "SimulationTemperatureError",
                           "SimulationTemperatureWarningHigh", "SimulationTemperatureWarningLow",
                           "SimulationUndervoltage", "SimulationShortCircuit", "SimulationAccelerationSensor"})
        vSetPropertyVisible(QLatin1String(id), on);
}

void SensorWindow::vApplyDetectionRangeLimits()
{
    QtProperty *farProperty = findProperty(QStringLiteral("DetectionRangeFar"));
    QtProperty *nearProperty = findProperty(QStringLiteral("DetectionRangeNear"));
    const bool isDouble = farProperty && farProperty->propertyManager() == d->doubleManager;
    if (isDouble) {
        const double cap = d->objMaxRange == 10001 ? 10001.0 : 100001.0;
        const double far = std::min(d->doubleManager->value(farProperty), cap);
        d->doubleManager->setValue(farProperty, far);
        if (Utils::ThresholdWindowWidgetUniversal *range = d->rangeMarkers.value(1)) {
            if (nearProperty && nearProperty->propertyManager() == d->doubleManager)
                range->setLeftMark(0, d->doubleManager->value(nearProperty));
            range->setRightMark(0, far);
        }
    }
    enableTreeDataHandling(true);
}

void SensorWindow::slotCurrentOutputChanged(int)
{
    vApplyParameterRules();
}

void SensorWindow::vZommResetForNoiseLine()
{
    if (!d->afterConnect)
        vApplyParameterRules();
}

} // namespace Core
} // namespace DirazSensorPlugin
