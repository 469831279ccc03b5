// Adapting the window to the hardware variant the connected sensor reports:
// visible parameters, distance limits, chart scales and entry lists.

#include "window/sensorwindow.h"

#include "parameters/descriptiondocument.h"
#include "window/logcategories.h"
#include "window/sensorwindowprivate.h"
#include "window/viewpositions.h"

#include <qtdoublepropertymanager.h>
#include <qtenumpropertymanager.h>
#include <qtproperty.h>
#include <utils/genericchart.h>
#include <utils/thresholdwindowwidgetuniversal.h>

namespace DirazSensorPlugin {
namespace Core {

namespace {

const boost::property_tree::ptree *findNode(const boost::property_tree::ptree &node, const std::string &id)
{
    for (const auto &child : node) {
        if (child.first != "property")
            continue;
        if (Description::text(child.second, "id") == id)
            return &child.second;
        if (const boost::property_tree::ptree *hit = findNode(child.second, id))
            return hit;
    }
    return nullptr;
}

bool isErrorWarningList(const QString &id)
{
    return id == QLatin1String("ErrorWarning1") || id == QLatin1String("ErrorWarning2")
           || id == QLatin1String("ErrorWarning3") || id == QLatin1String("ErrorWarning4");
}

int readInt(const boost::property_tree::ptree &variant, const char *key)
{
    return Description::toInt(Description::text(variant, key));
}

} // namespace

QStringList SensorWindow::descriptionEntryNames(const QString &id) const
{
    const auto tree = descriptionTree.get_child_optional("document.treeGui.default");
    if (!tree)
        return QStringList();
    const boost::property_tree::ptree *node = findNode(*tree, id.toStdString());
    return node ? nodeEntryCaptions(*node) : QStringList();
}

// Lists are always cut from the description's full list, so a second
// identification or a language change never trims them twice, and nothing
// is cut before a variant is known.
QStringList SensorWindow::variantEntryNames(const QString &id, QStringList names, const QString &key) const
{
    if (d->highRangeVariant) {
        if (id == QLatin1String("MesurementUnit") && names.size() > 3)
            names.removeAt(3);
        if ((id == QLatin1String("TeachInMode1") || id == QLatin1String("TeachInMode2")) && names.size() > 4)
            names.removeAt(4);
    }
    if (isErrorWarningList(id) && !key.isEmpty() && key != QLatin1String("4M3") && key != QLatin1String("4M6")
        && names.size() > 12)
        names.removeAt(12);
    return names;
}

void SensorWindow::vSetVariantEntryNames(const QString &id, const QString &key)
{
    QtProperty *property = findProperty(id);
    if (!property)
        return;
    const QStringList names = variantEntryNames(id, descriptionEntryNames(id), key);
    if (names.isEmpty() || names == d->enumManager->enumNames(property))
        return;
    const int selected = d->enumManager->value(property);
    d->enumManager->setEnumNames(property, names);
    const int kept = selected < names.size() ? selected : 0;
    d->enumManager->setValue(property, kept);
    static const QStringList warningIds = {QStringLiteral("ErrorWarning1"), QStringLiteral("ErrorWarning2"),
                                           QStringLiteral("ErrorWarning3"), QStringLiteral("ErrorWarning4")};
    const int warning = warningIds.indexOf(id);
    if (warning >= 0)
        setStatusRowToolTip(FirstWarningRow + warning, names.value(kept));
}

void SensorWindow::vApplySensorVariant()
{
    const QString product = d->connectedProductName;
    if (product.size() >= 7) {
        const QString key = product.right(3);
        const boost::property_tree::ptree *variant = nullptr;
        for (const auto &child : sensorRecord.variants()) {
            if (Description::isElementKey(child.first)
                && QString::fromStdString(Description::text(child.second, "ID3")) == key) {
                variant = &child.second;
                break;
            }
        }
        if (variant)
            vApplyVariantEntry(product, key, *variant);
        else
            qCInfo(lcDevice) << "no variant" << key << "in the catalogue entry of" << product;
    }
    if (d->analogPresent) {
        for (const char *id : {"analog0V", "analog10V"}) {
            if (QtProperty *property = findProperty(QString::fromLatin1(id))) {
                d->doubleManager->setMinimum(property, d->minRange);
                d->doubleManager->setMaximum(property, d->maxRange);
            }
        }
    }
}

void SensorWindow::vApplyVariantEntry(const QString &product, const QString &key,
                                      const boost::property_tree::ptree &variant)
{
    // Changing selections here must not write to the sensor.
    enableTreeDataHandling(false);
    d->variantKey = key;
    vSetPropertyVisible(QStringLiteral("BOOLAnalogError"), false);
    vSetPropertyVisible(QStringLiteral("BOOLErrAnalogError"), false);

    if (Description::text(variant, "analogOutput") == "1") {
        vSetPropertyVisible(QStringLiteral("AnalogMode"), true);
        vSetPropertyVisible(QStringLiteral("AnalogSubt"), false);
        vSetPropertyVisible(QStringLiteral("PinFunctionA2"), false);
        vSetPropertyVisible(QStringLiteral("Output2Settings"), false);
        d->analogPresent = true;
        vSetPropertyVisible(QStringLiteral("BOOLAnalogError"), true);
        vSetPropertyVisible(QStringLiteral("BOOLErrAnalogError"), true);
        if (key == QLatin1String("4M6"))
            vSetPropertyVisible(QStringLiteral("AnalogSubt"), true);
    }

    d->bluetoothPresent = true;
    if (Description::text(variant, "bluetooth") == "0") {
        if (QtProperty *bluetooth = findProperty(QStringLiteral("Bluetooth")))
            d->enumManager->setValue(bluetooth, 0);
        vSetPropertyVisible(QStringLiteral("Bluetooth"), false);
        d->bluetoothPresent = false;
    }

    d->maxRange = readInt(variant, "maxRange");
    d->minRange = readInt(variant, "minRange");
    d->objMaxRange = readInt(variant, "objMaxRange");
    d->objMinRange = readInt(variant, "objMinRange");

    if (Description::text(variant, "A2PinFct") == "1") {
        vSetPropertyVisible(QStringLiteral("PinFunctionA2"), false);
        vSetPropertyVisible(QStringLiteral("Output2Settings"), false);
    }
    if (!product.startsWith(QLatin1String("Q7"))) {
        vSetPropertyVisible(QStringLiteral("BOOLSpeedMesure"), true);
        vSetPropertyVisible(QStringLiteral("BOOLErrSpeedMesure"), true);
    }

    d->highRangeVariant = product.size() > 3 && product.at(3) == QLatin1Char('X');
    if (d->highRangeVariant) {
        vSetPropertyVisible(QStringLiteral("Sensitivity"), false);
        d->maxRange = 100000;
        d->minRange = 200;
        d->objMaxRange = 100001;
        d->objMinRange = 200;
    } else {
        d->maxRange = 10000;
        d->minRange = 50;
        d->objMaxRange = 10001;
        d->objMinRange = 50;
    }
    if (d->chart)
        d->chart->setScale(3, 0.0, d->maxRange + 5);
    for (const char *id : {"MesurementUnit", "TeachInMode1", "TeachInMode2"})
        vSetVariantEntryNames(QString::fromLatin1(id), key);

    vApplyErrorWarningNames(key);

    const double step = d->objMaxRange == 100001 ? 30000.0 : d->objMaxRange == 13001 ? 3000.0 : 2000.0;
    if (d->chart)
        d->chart->setPlotAxisScale(1, 0.0, d->objMaxRange, step);
    if (Utils::ThresholdWindowWidgetUniversal *marker = d->rangeMarkers.value(1)) {
        marker->setLeftMark(0, 200.0);
        marker->setRightMark(0, d->objMaxRange);
    }
}

void SensorWindow::vApplyErrorWarningNames(QString variantKey)
{
    enableTreeDataHandling(false);
    for (const char *id : {"ErrorWarning1", "ErrorWarning2", "ErrorWarning3", "ErrorWarning4"})
        vSetVariantEntryNames(QString::fromLatin1(id), variantKey);
    enableTreeDataHandling(true);
}

} // namespace Core
} // namespace DirazSensorPlugin
