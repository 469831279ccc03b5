// Language change: every text the window shows is set again from the
// translators the host installed and from the description's captions.

#include "window/sensorwindow.h"

#include "parameters/descriptiondocument.h"
#include "window/sensorwindowprivate.h"
#include "window/viewpositions.h"
#include "window/sensorwindowui.h"

#include <extensionsystem/globals.h>
#include <utils/genericchart.h>
#include <utils/thresholdwindowwidgetgeneric.h>

#include <QComboBox>
#include <QCoreApplication>
#include <QDockWidget>
#include <QEvent>
#include <QTreeWidget>

namespace DirazSensorPlugin {
namespace Core {

namespace {

QString trWindow(const char *text)
{
    return QCoreApplication::translate("SensorWindow", text);
}

} // namespace

void SensorWindow::changeEvent(QEvent *event)
{
    if (event->type() != QEvent::LanguageChange) {
        QWidget::changeEvent(event);
        return;
    }
    retranslating = true;
    ui->retranslateUi(this);
    d->language = ExtensionSystem::Globals::getLanguage();

    if (const auto tree = descriptionTree.get_child_optional("document.treeGui.default"))
        for (const auto &child : *tree)
            if (Description::isElementKey(child.first))
                vRetranslatePropertyNode(child.second);

    d->processDataCaptions.clear();
    if (const auto entries = descriptionTree.get_child_optional("document.guiCategory.default"))
        for (const auto &child : *entries)
            if (Description::isElementKey(child.first))
                vAddGuiCategoryEntry(child.second, -1);

    for (int i = 0; i < d->stateRows.size(); ++i)
        d->stateRows[i]->setText(CaptionColumn, d->processDataCaptions.value(i) + QStringLiteral("     "));
    for (int row : {3, 4, 6, 5, 7, 8, 9, 10})
        if (QTreeWidgetItem *item = d->stateRows.value(row))
            item->setText(TextColumn, QCoreApplication::translate("SensorWindow", "Off"));
    // The output command rows say what their check box says.
    if (d->masterToDeviceItem) {
        for (int i = 0; i < d->masterToDeviceItem->childCount(); ++i) {
            QTreeWidgetItem *item = d->masterToDeviceItem->child(i);
            item->setText(TextColumn, item->checkState(ValueColumn) == Qt::Checked ? QCoreApplication::translate("SensorWindow", "On") : QCoreApplication::translate("SensorWindow", "Off"));
        }
    }
    if (d->processDataTree)
        d->processDataTree->resizeColumnToContents(0);

    vRetranslateViews();
    retranslating = false;
    enableTreeDataHandling(true);
}

void SensorWindow::vRetranslateViews()
{
    vRetranslateChartTitles();
    if (d->propertyTreeDock)
        d->propertyTreeDock->setWindowTitle(QCoreApplication::translate("SensorWindow", "Property tree"));
    if (d->processDataDock)
        d->processDataDock->setWindowTitle(QCoreApplication::translate("SensorWindow", "Process data"));
    if (d->observationDock)
        d->observationDock->setWindowTitle(QCoreApplication::translate("SensorWindow", " Observation"));

    const std::pair<QTreeWidgetItem *, const char *> groups[] = {
        {d->measurementValueItem, QT_TRANSLATE_NOOP("SensorWindow", "Measurement Value")},
        {d->deviceToMasterItem, QT_TRANSLATE_NOOP("SensorWindow", "Device to Master")},
        {d->masterToDeviceItem, QT_TRANSLATE_NOOP("SensorWindow", "Master to Device")},
        {d->objectInformationItem, QT_TRANSLATE_NOOP("SensorWindow", "Object information")},
        {d->objectItems[0], QT_TRANSLATE_NOOP("SensorWindow", "Object 1")},
        {d->objectItems[1], QT_TRANSLATE_NOOP("SensorWindow", "Object 2")},
        {d->objectItems[2], QT_TRANSLATE_NOOP("SensorWindow", "Object 3")},
        {d->objectItems[3], QT_TRANSLATE_NOOP("SensorWindow", "Object 4")},
    };
    for (const auto &group : groups)
        if (group.first)
            group.first->setText(0, trWindow(group.second));

    const int port = d->portSelector->currentIndex();
    d->portSelector->removeItem(0);
    d->portSelector->insertItem(0, QCoreApplication::translate("SensorWindow", "Offline"), QVariant(QString()));
    d->portSelector->setCurrentIndex(port);

    if (d->outputSelector) {
        const int output = d->outputSelector->currentIndex();
        d->outputSelector->clear();
        d->outputSelector->insertItem(0, QCoreApplication::translate("SensorWindow", "Output") + QStringLiteral(" 1"), QVariant(QString()));
        d->outputSelector->insertItem(1, QCoreApplication::translate("SensorWindow", "Output") + QStringLiteral(" 2"), QVariant(QString()));
        d->outputSelector->setCurrentIndex(output);
    }
    updateWindowTitle();
}

void SensorWindow::vRetranslateChartTitles()
{
    if (!d->chart)
        return;
    d->chart->setPlotTitle(2, QCoreApplication::translate("SensorWindow", "Intensity"), true, QString(), false);
    d->chart->setPlotTitle(0, QCoreApplication::translate("SensorWindow", " Speed"), true, QString(), false);
    d->chart->setPlotTitle(3, QCoreApplication::translate("SensorWindow", "Distance"), true, d->distanceUnitText, true);
    d->chart->setPlotTitle(1, QCoreApplication::translate("SensorWindow", "Signal"), true, d->distanceUnitText, true);
    d->chart->translateDockTitleBarTexts();
    for (Utils::ThresholdWindowWidgetGeneric *marks : qAsConst(d->thresholdMarkers))
        marks->retranslate();
}

} // namespace Core
} // namespace DirazSensorPlugin
