// Reading one parameter from the sensor into the tree, and the
// identification read after connecting.

#include "window/sensorwindow.h"

#include "comm/masterframes.h"
#include "comm/pause.h"
#include "device/flagwords.h"
#include "device/parameterdecoding.h"
#include "device/parameterwrite.h"
#include "window/logcategories.h"
#include "window/sensorwindowprivate.h"
#include "window/viewpositions.h"

#include <qtpropertymanager.h>
#include <utils/genericchart.h>

#include <QDockWidget>

namespace DirazSensorPlugin {
namespace Core {

namespace {

const QStringList &errorWarningIds()
{
    static const QStringList ids = {QStringLiteral("ErrorWarning1"), QStringLiteral("ErrorWarning2"),
                                    QStringLiteral("ErrorWarning3"), QStringLiteral("ErrorWarning4")};
    return ids;
}

} // namespace

bool SensorWindow::bReadParameter(QString id, bool showUi)
{
    // Flags are read through their word, buttons hold nothing.
    if (id.contains(QLatin1String("BUTTON")) || id.contains(QLatin1String("BOOL")))
        return true;
    const ParameterAddress address = parseParameterAddress(propertyAddresses.value(id));
    QtProperty *property = findProperty(id);
    enableTreeDataHandling(false);
    if (!property || !address.valid) {
        if (property)
            qCWarning(lcDevice) << "no usable address for" << id << propertyAddresses.value(id);
        enableTreeDataHandling(true);
        return true;
    }

    bSendCommand(buildReadRequest(std::uint16_t(address.index), std::uint8_t(address.subIndex)), showUi);
    pauseMs(20);
    bSendCommand(cycleFrame(), true);
    pauseMs(20);
    pauseMs(70);
    const QByteArray answer = queryCommand(fetchResultFrame(), std::string());
    if (answer.isEmpty())
        qCWarning(lcDevice) << "no answer to the read of" << id;
    vApplyReadAnswer(id, property, address.size, answer);
    enableTreeDataHandling(true);
    return true;
}

void SensorWindow::vApplyReadAnswer(const QString &id, QtProperty *property, int size, const QByteArray &answer)
{
    QtAbstractPropertyManager *manager = property->propertyManager();
    if (manager == d->boolManager) {
        FlagWord word;
        if (id == QLatin1String("SignalWarning"))
            word = FlagWord::StatusWord;
        else if (id == QLatin1String("ErrSignalWarning"))
            word = FlagWord::ErrorMaskWord;
        else
            return;
        const auto flags = flagValues(word, std::uint32_t(lastEightDigitsValue(answer)));
        for (const auto &flag : flags) {
            if (QtProperty *p = findProperty(flag.first))
                d->boolManager->setValue(p, flag.second, QString(), QString());
        }
    } else if (manager == d->intManager) {
        const int value = intAnswerValue(answer, size);
        if (id != QLatin1String("CrashCounter"))
            d->intManager->setValue(property, value);
    } else if (manager == d->doubleManager) {
        d->doubleManager->setRange(property, 0.0, 100001.0);
        int value = 0;
        if (id == QLatin1String("DetectionRangeFar") || id == QLatin1String("DetectionRangeNear")) {
            value = rangeAnswerValue(answer);
            d->doubleManager->setMaximum(property, d->objMaxRange);
        } else {
            value = doubleAnswerValue(answer, size);
        }
        if (value != SkippedDoubleValue)
            d->doubleManager->setValue(property, value);
    } else if (manager == d->stringManager) {
        vApplyTextAnswer(id, property, answer);
    } else if (manager == d->enumManager) {
        vApplyEnumAnswer(id, property, answer);
    }
}

void SensorWindow::vApplyTextAnswer(const QString &id, QtProperty *property, const QByteArray &answer)
{
    if (id == QLatin1String("FunctionTag") || id == QLatin1String("LocationTag")
        || id == QLatin1String("AppSpecificTag")) {
        d->stringManager->setValue(property, textParameterValue(answer));
        if (isDeviceErrorCode(textOctetsHex(answer)))
            d->ReadRetryList.append(id);
        return;
    }
    if (!d->pollingAllowed)
        return;
    if (id.contains(QLatin1String("SelfReadOnly"))) {
        d->stringManager->setValue(property, QString::number(lastEightDigitsValue(answer)));
        return;
    }
    const QString text = textParameterValue(answer);
    d->stringManager->setValue(property, text);
    if (id == QLatin1String("SensorNumberReadOnly"))
        d->sensorNumberText = text;
    const QString payload = payloadHex(answer);
    bool retry = false;
    if (id.contains(QLatin1String("SensorNumberReadOnly")) || id.contains(QLatin1String("SerialNumberReadOnly"))
        || id.contains(QLatin1String("FirmwareRevisionReadOnly")))
        retry = isDeviceErrorCode(payload);
    else if (id.contains(QLatin1String("HardwareRevisionReadOnly")))
        retry = isDeviceErrorCode(payload, false);
    if (retry)
        d->ReadRetryList.append(id);
}

void SensorWindow::vApplyEnumAnswer(const QString &id, QtProperty *property, const QByteArray &answer)
{
    const int raw = enumRawValue(answer);
    const int index = enumIndexFromRaw(id, raw, d->variantKey);
    if (id == QLatin1String("MesurementUnit")) {
        d->measurementUnit = raw;
        for (int plot : {SpeedPlot, IntensityPlot}) {
            if (QDockWidget *dock = d->chart ? d->chart->getDockChartItem(plot) : nullptr)
                dock->hide();
        }
        if (raw > 3) {
            qCWarning(lcDevice) << "the device reports no known measurement unit:" << raw;
            d->measurementUnit = 0;
            d->ReadRetryList.append(id);
        }
        vApplyMeasurementUnitView();
    } else if (id == QLatin1String("ObjectInfo")) {
        d->objectInfoMode = raw;
        d->poll.setCounter(20);
        vApplyObjectInfoView();
    } else if (id == QLatin1String("TeachLoked")) {
        d->teachLockedRaw = raw;
    } else {
        const int warning = errorWarningIds().indexOf(id);
        if (warning >= 0 && index < 17)
            setStatusRowToolTip(FirstWarningRow + warning, d->enumManager->enumNames(property).value(index));
    }
    if (index >= 0 && index < d->enumManager->enumNames(property).size())
        d->enumManager->setValue(property, index);
}

void SensorWindow::readIdentification()
{
    enableTreeDataHandling(false);
    pauseMs(120);
    bReadParameter(QStringLiteral("FirmwareRevisionReadOnly"), false);
    pauseMs(120);
    bReadParameter(QStringLiteral("SensorNumberReadOnly"), false);
    pauseMs(120);
    bReadParameter(QStringLiteral("SerialNumberReadOnly"), false);
    pauseMs(200);
    bReadParameter(QStringLiteral("HardwareRevisionReadOnly"), false);
    vRetryFailedReads(5);
    enableTreeDataHandling(true);
}

void SensorWindow::vRetryFailedReads(int pauseAfterEachMs)
{
    // Once each: a read that fails again stays as the device answered it.
    const QStringList retry = d->ReadRetryList;
    for (int i = retry.size() - 1; i >= 0; --i) {
        bReadParameter(retry.at(i), false);
        pauseMs(pauseAfterEachMs);
    }
    d->ReadRetryList.clear();
}

} // namespace Core
} // namespace DirazSensorPlugin
