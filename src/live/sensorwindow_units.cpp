// Millimetre and inch display of the distance parameters, their editing
// limits and the distance chart scales.

#include "window/sensorwindow.h"

#include "comm/pause.h"
#include "live/unitconversion.h"
#include "live/unitlimits.h"
#include "window/logcategories.h"
#include "window/sensorwindowprivate.h"
#include "window/viewpositions.h"

#include <qtdoublepropertymanager.h>
#include <qtproperty.h>
#include <utils/genericchart.h>

#include <algorithm>
#include <cmath>

namespace DirazSensorPlugin {
namespace Core {

namespace {


RangeLimits rangeLimits(const SensorWindowPrivate &d)
{
    RangeLimits l;
    l.maxRange = d.maxRange;
    l.objMaxRange = d.objMaxRange;
    l.minRange = d.minRange;
    l.objMinRange = d.objMinRange;
    return l;
}

double axisStep(int objMaxRange)
{
    if (objMaxRange == 100001)
        return 30000.0;
    if (objMaxRange == 13001)
        return 3000.0;
    return 2000.0;
}

} // namespace

// Limits are set once to their final values: a detour through the other
// unit's limits would clamp the values the tree holds.
static void setLimits(QtDoublePropertyManager *manager, QtProperty *p, const DistanceLimit &limit)
{
    if (p && p->propertyManager() == manager)
        manager->setRange(p, limit.minimum, limit.maximum);
}

void SensorWindow::applyUnitLimits()
{
    enableTreeDataHandling(false);
    const int unit = d->measurementUnit;
    const bool known = unit >= 0 && unit <= 3;
    const bool inches = isInchUnit(unit);
    for (const DistanceLimit &limit : distanceLimits(rangeLimits(*d), inches, d->analogPresent))
        setLimits(d->doubleManager, findProperty(limit.id), limit);
    if (known) {
        d->axisUnitText = inches ? QStringLiteral(" (inch)") : QStringLiteral(" (mm)");
        d->distanceUnitText = inches ? QStringLiteral(" inch") : QStringLiteral(" mm");
        if (d->chart) {
            const double k = inches ? MillimetresToInches : 1.0;
            d->chart->setScale(DistancePlot, 0.0, inches ? std::round(d->maxRange * k) : d->maxRange);
            d->chart->setXMaximum(ObjectPlot, inches ? std::round(d->objMaxRange * k) : d->objMaxRange);
            vRetranslateChartTitles();
        }
    }
    enableTreeDataHandling(true);
}

void SensorWindow::convertUnitValues()
{
    enableTreeDataHandling(false);
    const bool inches = isInchUnit(d->measurementUnit);
    const bool millimetres = !inches && d->measurementUnit >= 0 && d->measurementUnit <= 3;
    const bool treeInInches = d->axisUnitText.contains(QLatin1String("inch"));
    QtDoublePropertyManager *manager = d->doubleManager;

    // Millimetre limits open at zero for the jump heights while converting.
    std::vector<DistanceLimit> limits = distanceLimits(rangeLimits(*d), inches, false, !inches);
    if (millimetres && treeInInches) {
        for (const DistanceLimit &limit : limits) {
            QtProperty *p = findProperty(limit.id);
            if (!p || p->propertyManager() != manager)
                continue;
            const double mm = inchesToMillimetres(manager->value(p));
            setLimits(manager, p, limit);
            manager->setValue(p, mm);
        }
        if (d->chart) {
            // The history keeps one unit with the samples still to come.
            d->chart->vScaleData(DistancePlot, InchesToMillimetres);
            d->chart->setScale(DistancePlot, 0.0, roundHalfUp(d->chart->scaleMaximum(DistancePlot) * InchesToMillimetres));
            d->chart->setXMaximum(ObjectPlot, d->objMaxRange);
        }
        d->axisUnitText = QStringLiteral(" (mm)");
        d->distanceUnitText = QStringLiteral(" mm");
    } else if (millimetres) {
        for (const DistanceLimit &limit : limits)
            setLimits(manager, findProperty(limit.id), limit);
    } else if (inches) {
        d->axisUnitText = QStringLiteral(" (inch)");
        d->distanceUnitText = QStringLiteral(" inch");
        if (d->chart) {
            if (!treeInInches)
                d->chart->vScaleData(DistancePlot, MillimetresToInches);
            d->chart->setXMaximum(ObjectPlot, std::round(d->objMaxRange * MillimetresToInches));
            d->chart->setScale(DistancePlot, 0.0, std::round(d->maxRange * MillimetresToInches));
        }
        for (const DistanceLimit &limit : limits) {
            QtProperty *p = findProperty(limit.id);
            if (!p || p->propertyManager() != manager)
                continue;
            const double in = millimetresToInches(manager->value(p));
            setLimits(manager, p, limit);
            manager->setValue(p, in);
        }
    }
    vRetranslateChartTitles();

    if (d->analogPresent) {
        for (const DistanceLimit &limit : distanceLimits(rangeLimits(*d), inches, true)) {
            if (!limit.id.startsWith(QLatin1String("analog")))
                continue;
            QtProperty *p = findProperty(limit.id);
            if (!p || p->propertyManager() != manager)
                continue;
            const double value = manager->value(p);
            if (inches) {
                setLimits(manager, p, limit);
                manager->setValue(p, millimetresToInches(value));
            } else if (treeInInches) {
                setLimits(manager, p, limit);
                manager->setValue(p, convertDistance(true, value));
            }
        }
        applyAnalogScale();
    }
    // The markers show the converted thresholds.
    vApplyParameterRules();
    enableTreeDataHandling(true);
}

void SensorWindow::applyAnalogScale()
{
    QtProperty *low = findProperty(QStringLiteral("analog0V"));
    QtProperty *high = findProperty(QStringLiteral("analog10V"));
    if (!d->chart || !low || !high || low->propertyManager() != d->doubleManager
        || high->propertyManager() != d->doubleManager)
        return;
    d->chart->setScale(DistancePlot, d->doubleManager->value(low), d->doubleManager->value(high));
}

void SensorWindow::finishIdentification()
{
    if (d->connectedProductName.size() >= 7)
        return;
    if (d->sensorNumberText.size() == 7) {
        d->connectedProductName = d->sensorNumberText;
        vApplySensorVariant();
        if (d->analogPresent) {
            pauseMs(20);
            if (!bReadParameter(QStringLiteral("analog10V"), false))
                qCWarning(lcLive) << "analog range end not read after identification";
            pauseMs(20);
        }
    } else {
        identifySensor();
        vApplySensorVariant();
    }
    if (d->analogPresent)
        applyAnalogScale();
    vApplyParameterRules();
    if (d->chart)
        d->chart->setPlotAxisScale(ObjectPlot, 0.0, d->objMaxRange, axisStep(d->objMaxRange));
}

void SensorWindow::vReadDistancesBack(const QStringList &ids)
{
    enableTreeDataHandling(false);
    const bool inches = isInchUnit(d->measurementUnit);
    const std::vector<DistanceLimit> mmLimits = distanceLimits(rangeLimits(*d), false, d->analogPresent);
    const std::vector<DistanceLimit> shownLimits = distanceLimits(rangeLimits(*d), inches, d->analogPresent);
    auto limitOf = [](const std::vector<DistanceLimit> &limits, const QString &id) {
        const auto it = std::find_if(limits.begin(), limits.end(), [&id](const DistanceLimit &l) { return l.id == id; });
        return it == limits.end() ? nullptr : &*it;
    };
    QtDoublePropertyManager *manager = d->doubleManager;
    for (const QString &id : ids) {
        QtProperty *p = findProperty(id);
        if (!p || p->propertyManager() != manager)
            continue;
        // The tree holds millimetres while the device is asked, so a value
        // that does not come keeps its meaning.
        if (const DistanceLimit *limit = limitOf(mmLimits, id))
            setLimits(manager, p, *limit);
        if (inches)
            manager->setValue(p, inchesToMillimetres(manager->value(p)));
        bReadParameter(id, false);
        const double mm = manager->value(p);
        if (const DistanceLimit *limit = limitOf(shownLimits, id))
            setLimits(manager, p, *limit);
        manager->setValue(p, inches ? millimetresToInches(mm) : mm);
    }
}

} // namespace Core
} // namespace DirazSensorPlugin
