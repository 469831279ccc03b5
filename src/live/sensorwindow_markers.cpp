// Threshold markers dragged on the charts become device parameters, and the
// chart actions: clearing, printing, exporting, resetting the object axis.

#include "window/sensorwindow.h"

#include "live/unitconversion.h"
#include "persistence/dialoglayer.h"
#include "window/logcategories.h"
#include "window/sensorwindowprivate.h"
#include "window/viewpositions.h"
#include "window/sensorwindowui.h"

#include <extensionsystem/globals.h>
#include <qtbrowseritem.h>
#include <qtdoublepropertymanager.h>
#include <qtproperty.h>
#include <qttreepropertybrowser.h>
#include <utils/exportdialog.h>
#include <utils/genericchart.h>
#include <utils/plotdocument.h>
#include <utils/thresholdmultimanager.h>
#include <utils/thresholdwindowwidgetgeneric.h>
#include <utils/thresholdwindowwidgetuniversal.h>

#include <QComboBox>
#include <QCoreApplication>
#include <QFileDialog>
#include <QPrinterInfo>
#include <QToolBar>

#include <algorithm>
#include <cmath>

namespace DirazSensorPlugin {
namespace Core {

namespace {


} // namespace

// Sets a tree value that came from a marker and hands it to the delayed
// write; the tree's own handling is off, so only this path writes.
static void parkMarkerValue(QtTreePropertyBrowser *browser, QtProperty *p, double value,
                            QtProperty **pendingProperty, QVariant *pendingValue)
{
    const QList<QtBrowserItem *> items = browser ? browser->items(p) : QList<QtBrowserItem *>();
    if (!items.isEmpty())
        browser->setCurrentItem(items.first());
    pendingProperty[0] = p;
    pendingValue[0] = value;
}

void SensorWindow::chartThresholdChanged1(uint mark, double value)
{
    double v = roundHalfUp(value);
    const auto *widget = qobject_cast<Utils::ThresholdWidgetBase *>(sender());
    const int component = widget ? widget->componentIndex() : DistancePlot;
    const int n = (d->outputSelector ? d->outputSelector->currentIndex() : 0) + 1;

    enableTreeDataHandling(false);
    d->specialShown = true;
    pendingProperty[1] = nullptr;
    Utils::ThresholdWindowWidgetGeneric *marks = d->thresholdMarkers.value(0);
    if (component == DistancePlot && marks) {
        auto number = [this](const QString &id, QtProperty **out) {
            QtProperty *p = findProperty(id);
            *out = p && p->propertyManager() == d->doubleManager ? p : nullptr;
            return *out ? d->doubleManager->value(p) : 0.0;
        };
        QtProperty *switching = nullptr;
        const int s = int(number(QStringLiteral("SwitchingThresholdA%1").arg(n), &switching));

        if (isInchUnit(d->measurementUnit)) {
            v = std::max(v, d->minRange * MillimetresToInches);
            const double top = d->maxRange * MillimetresToInches;
            if (v > top)
                v = top - 1.0;
        } else if (d->measurementUnit == 0 || d->measurementUnit == 2 || d->measurementUnit == 3) {
            v = std::min(std::max(v, double(d->minRange)), double(d->maxRange));
        }

        QtProperty *target = nullptr;
        double written = v;
        if (mark == Utils::ThresholdWidgetBase::UpperMark) {
            number(QStringLiteral("UpperThresholdA%1").arg(n), &target);
            written = std::abs(v - s);
            d->thresholdManager->setHigh(n, DistancePlot, v);
            marks->setUpperMark(v);
        } else if (mark == Utils::ThresholdWidgetBase::LowerMark) {
            number(QStringLiteral("LowerThresholdA%1").arg(n), &target);
            written = std::abs(s - v);
            d->thresholdManager->setLow(n, DistancePlot, v);
            marks->setLowerMark(v);
        } else if (mark == Utils::ThresholdWidgetBase::MiddleMark) {
            target = switching;
            marks->setMiddleMark(v);
            d->thresholdManager->setMiddle(n, DistancePlot, v);
        }
        if (target) {
            d->doubleManager->setValue(target, written);
            parkMarkerValue(propertyBrowser, target, written, pendingProperty, pendingValue);
            if (connected)
                sendDelayValue();
        }
    }
    enableTreeDataHandling(true);
}

void SensorWindow::chartThresholdChanged(uint mark, double value)
{
    double v = roundHalfUp(value);
    const auto *widget = qobject_cast<Utils::ThresholdWidgetBase *>(sender());
    const int component = widget ? widget->componentIndex() : ObjectPlot;

    enableTreeDataHandling(false);
    d->specialShown = true;
    pendingProperty[1] = nullptr;
    Utils::ThresholdWindowWidgetUniversal *range = d->rangeMarkers.value(ObjectPlot);
    if (component == ObjectPlot && d->chart && range) {
        v = std::min(v, d->chart->xMaximum(ObjectPlot));
        const double floor = isInchUnit(d->measurementUnit) ? d->objMinRange * MillimetresToInches : d->objMinRange;
        v = std::max(v, floor);
        QString id;
        if (mark == Utils::ThresholdWindowWidgetUniversal::leftMarkId(0)) {
            id = QStringLiteral("DetectionRangeNear");
            range->setLeftMark(0, v);
        } else if (mark == Utils::ThresholdWindowWidgetUniversal::rightMarkId(0)) {
            id = QStringLiteral("DetectionRangeFar");
            range->setRightMark(0, v);
        }
        QtProperty *target = id.isEmpty() ? nullptr : findProperty(id);
        if (target && target->propertyManager() == d->doubleManager) {
            d->doubleManager->setValue(target, v);
            parkMarkerValue(propertyBrowser, target, v, pendingProperty, pendingValue);
            if (connected)
                sendDelayValue();
        }
    }
    enableTreeDataHandling(true);
}

void SensorWindow::resetIndependentPlotSlot(int)
{
    if (!d->chart)
        return;
    double step = 2000.0;
    if (d->objMaxRange == 13001)
        step = 3000.0;
    else if (d->objMaxRange == 100001)
        step = 30000.0;
    d->chart->setPlotAxisScale(ObjectPlot, 0.0, d->objMaxRange, step);
}

void SensorWindow::vClearHistory()
{
    const int answer = DialogLayer::warning(
        this, QCoreApplication::translate("SensorWindow", "Clear chart history"),
        QCoreApplication::translate("SensorWindow", "Do you really want to clear chart history ?"),
        QMessageBox::Yes | QMessageBox::No);
    if (answer != QMessageBox::Yes || !d->chart)
        return;
    d->chart->vClearData();
    ui->chartToolbar->setEnabled(false);
}

void SensorWindow::vPrintDocument()
{
    if (!d->chart)
        return;
    Utils::PlotDocument document(d->chart->poPlot(DistancePlot));
    document.setTitle(windowTitle());
    // Without a printer the chart still gets onto paper through a PDF file;
    // an unattended run takes that way too, as nobody answers a print dialog.
    if (QPrinterInfo::availablePrinters().isEmpty() || DialogLayer::testMode()
        || ExtensionSystem::Globals::getUnattended()) {
        QFileDialog dialog(this, QCoreApplication::translate("SensorWindow", "Print chart to PDF"));
        dialog.setObjectName(QStringLiteral("printToPdfDialog"));
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setDefaultSuffix(QStringLiteral("pdf"));
        dialog.setNameFilter(QStringLiteral("PDF (*.pdf)"));
        if (DialogLayer::exec(&dialog) == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) {
            const QString file = dialog.selectedFiles().first();
            if (!document.bPrintToPdf(file)) {
                qCWarning(lcLive) << "chart not printed to" << file;
                DialogLayer::warning(this, QCoreApplication::translate("SensorWindow", "Print chart to PDF"),
                                     QCoreApplication::translate("SensorWindow", "The file could not be written:")
                                         + QLatin1Char('\n') + file);
            }
        }
    } else {
        document.vPrintDocument();
    }
    if (connected && d->channel)
        identifySensor();
}

void SensorWindow::vExportChartData()
{
    if (!d->chart)
        return;
    QList<QString> titles{QStringLiteral("Time"), QStringLiteral("Signal")};
    QList<const Utils::Charts::ValueOverTime *> series{d->chart->getData(DistancePlot)};
    if (d->measurementUnit == 2 || d->measurementUnit == 3) {
        titles.append(QStringLiteral("Speed"));
        series.append(d->chart->getData(0));
    }
    if (d->measurementUnit == 3) {
        titles.append(QStringLiteral("Intensity"));
        series.append(d->chart->getData(2));
    }
    Utils::ExportDialog dialog(&series, &titles, this, Qt::WindowTitleHint | Qt::WindowSystemMenuHint);
    dialog.setObjectName(QStringLiteral("exportDialog"));
    dialog.setPrecision(2);
    DialogLayer::exec(&dialog);
}

} // namespace Core
} // namespace DirazSensorPlugin
