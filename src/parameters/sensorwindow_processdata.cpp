// The process-data dock and the object rows of the observation tree, built
// from the description's process-data entries, and the output check boxes.

#include "window/sensorwindow.h"

#include "comm/masterframes.h"
#include "comm/pause.h"
#include "parameters/descriptiondocument.h"
#include "parameters/outputoctet.h"
#include "parameters/stateofdevicemydelegate.h"
#include "window/sensorwindowprivate.h"
#include "window/viewpositions.h"
#include "window/sensorwindowui.h"

#include <qtenumpropertymanager.h>

#include <QAction>
#include <QCoreApplication>
#include <QDockWidget>
#include <QGridLayout>
#include <QHeaderView>
#include <QToolBar>
#include <QTreeWidget>

namespace DirazSensorPlugin {
namespace Core {

namespace {

constexpr int kPositionRole = 99;

QTreeWidgetItem *makeGroupRow(const QString &text)
{
    auto *item = new QTreeWidgetItem;
    item->setText(CaptionColumn, text);
    for (int column = 0; column < 4; ++column) {
        item->setBackground(column, QColor(0, 97, 158, 250));
        item->setForeground(column, Qt::white);
    }
    QFont font(QStringLiteral("Segoe UI"), 12, 25);
    item->setFont(0, font);
    item->setTextAlignment(0, Qt::AlignHCenter | Qt::AlignVCenter);
    return item;
}

QTreeWidget *makeStateTree(QWidget *parent, QAbstractItemDelegate *delegate, const QString &name)
{
    auto *tree = new QTreeWidget(parent);
    tree->setObjectName(name);
    tree->setItemDelegate(delegate);
    tree->setAlternatingRowColors(true);
    tree->setColumnCount(4);
    tree->setHeaderHidden(true);
    tree->setIconSize(QSize(32, 32));
    tree->setFrameShape(QFrame::NoFrame);
    tree->setSelectionMode(QAbstractItemView::NoSelection);
    tree->setItemsExpandable(true);
    setStateTreeColumns(tree);
    return tree;
}

QString trWindow(const char *text)
{
    return QCoreApplication::translate("SensorWindow", text);
}

} // namespace

void SensorWindow::vAddGuiCategoryEntry(const boost::property_tree::ptree &entry, int position)
{
    if (d->language.empty())
        d->language = "en";
    d->processDataCaptions.append(nodeCaption(entry));
    if (position >= 0)
        d->processDataIndex.insert(QString::fromStdString(Description::text(entry, "id")), position);
}

void SensorWindow::vBuildProcessDataView()
{
    d->processDataDock = new QDockWidget(QCoreApplication::translate("SensorWindow", " Process data"), this);
    d->processDataDock->setObjectName(QStringLiteral("processdata"));
    d->processDataDock->setStyleSheet(QStringLiteral("QWidget {border: 1px solid lightgray;}"));
    d->processDataDock->toggleViewAction()->setIcon(QIcon(QStringLiteral(":/newPrefix/icons/Sensorenliste.svg")));
    ui->fileToolBar->addAction(d->processDataDock->toggleViewAction());

    auto *content = new QWidget(d->processDataDock);
    auto *grid = new QGridLayout(content);
    grid->setContentsMargins(0, 0, 1, 0);
    d->processDataTree = makeStateTree(content, stateOfDeviceDelegate, QStringLiteral("processDataTree"));
    grid->addWidget(d->processDataTree, 0, 0, 1, 4);
    d->processDataDock->setWidget(content);
    d->processDataDock->setMinimumWidth(375);
    addDockWidget(Qt::RightDockWidgetArea, d->processDataDock);
    connect(d->processDataTree, &QTreeWidget::itemClicked, this, &SensorWindow::updateCheckState);

    d->measurementValueItem = makeGroupRow(QCoreApplication::translate("SensorWindow", "Measurement Value"));
    d->deviceToMasterItem = makeGroupRow(QCoreApplication::translate("SensorWindow", "Device to Master"));
    d->masterToDeviceItem = makeGroupRow(QCoreApplication::translate("SensorWindow", "Master to Device"));
    d->processDataTree->addTopLevelItems({d->measurementValueItem, d->deviceToMasterItem, d->masterToDeviceItem});

    if (!d->observationTree) // the observation dock normally exists; keep a tree for the object rows
        d->observationTree = makeStateTree(this, stateOfDeviceDelegate, QStringLiteral("observationTree"));
    d->objectInformationItem = makeGroupRow(QCoreApplication::translate("SensorWindow", "Object information"));
    d->observationTree->addTopLevelItem(d->objectInformationItem);
    static const char *const objectNames[4] = {QT_TRANSLATE_NOOP("SensorWindow", "Object 1"),
                                               QT_TRANSLATE_NOOP("SensorWindow", "Object 2"),
                                               QT_TRANSLATE_NOOP("SensorWindow", "Object 3"),
                                               QT_TRANSLATE_NOOP("SensorWindow", "Object 4")};
    for (int k = 0; k < 4; ++k) {
        d->objectItems[k] = new QTreeWidgetItem(d->objectInformationItem);
        d->objectItems[k]->setText(0, trWindow(objectNames[k]));
        d->objectItems[k]->setSizeHint(2, QSize(32, 32));
    }
    for (QTreeWidgetItem *group : {d->measurementValueItem, d->deviceToMasterItem, d->masterToDeviceItem,
                                   d->objectInformationItem}) {
        group->setExpanded(true);
        // A group caption in its large font would otherwise widen the caption
        // column until the values need a horizontal scroll bar.
        group->setFirstColumnSpanned(true);
    }
    d->objectItems[0]->setExpanded(true);

    d->stateRows.clear();
    d->processDataCaptions.clear();
    QStringList ids;
    const auto branch = descriptionTree.get_child_optional("document.guiCategory.default");
    if (branch) {
        int position = 0;
        for (const auto &child : *branch) {
            if (!Description::isElementKey(child.first))
                continue;
            const auto &entry = child.second;
            vAddGuiCategoryEntry(entry, position);
            const bool hidden = Description::text(entry, "visible", "true") != "true";
            const QString id = QString::fromStdString(Description::text(entry, "id"));
            ids.append(id);

            QTreeWidgetItem *row = nullptr;
            const QChar group = id.isEmpty() ? QChar() : id.front();
            if (group == QLatin1Char('0')) {
                row = new QTreeWidgetItem(d->deviceToMasterItem);
                if (position >= 3 && position <= 10) {
                    static const char *const leds[3] = {"led_state_1_1.svg", "led_state_1_2.svg", "led_state_F_2.svg"};
                    const char *led = leds[qMin(position - 3, 2)];
                    row->setText(TextColumn, QCoreApplication::translate("SensorWindow", "Off"));
                    row->setIcon(ValueColumn, QIcon(QStringLiteral(":/newPrefix/icons/") + QLatin1String(led)));
                    row->setSizeHint(2, QSize(36, 36));
                }
            } else if (group == QLatin1Char('1')) {
                row = new QTreeWidgetItem(d->masterToDeviceItem);
                row->setSizeHint(2, QSize(36, 36));
                row->setFlags(row->flags() | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
                const bool first = position == 11;
                row->setCheckState(ValueColumn, first ? Qt::Checked : Qt::Unchecked);
                row->setText(TextColumn, first ? QCoreApplication::translate("SensorWindow", "On") : QCoreApplication::translate("SensorWindow", "Off"));
                row->setData(2, kPositionRole, position);
            } else if (group == QLatin1Char('n')) {
                row = new QTreeWidgetItem(d->measurementValueItem);
                row->setSizeHint(2, QSize(40, 40));
                if (position == 0) {
                    row->setText(ValueColumn, QStringLiteral(" 0 "));
                    row->setText(TextColumn, QStringLiteral("mm "));
                }
            } else if (group == QLatin1Char('2') && id.size() > 1 && id.back() >= QLatin1Char('1')
                       && id.back() <= QLatin1Char('4')) {
                row = new QTreeWidgetItem(d->objectItems[id.back().unicode() - '1']);
                row->setSizeHint(2, QSize(32, 32));
            } else {
                // An entry of no known group still holds its position, so the
                // rows after it keep the positions the decoders address.
                row = new QTreeWidgetItem(d->processDataTree);
                row->setHidden(true);
            }
            d->stateRows.append(row);
            if (hidden)
                row->setHidden(true);
            ++position;
        }
    }

    for (int i = 0; i < d->processDataCaptions.size() && i < d->stateRows.size(); ++i) {
        d->stateRows[i]->setText(CaptionColumn, d->processDataCaptions[i]);
        d->stateRows[i]->setStatusTip(0, ids.value(i));
    }
    // Status bits 4 to 7 show the conditions chosen for them in the tree.
    for (int k = 0; k < 4; ++k) {
        if (QtProperty *condition = findProperty(QStringLiteral("ErrorWarning%1").arg(k + 1)))
            setStatusRowToolTip(FirstWarningRow + k, d->enumManager->enumNames(condition).value(d->enumManager->value(condition)));
    }
}

void SensorWindow::setStatusRowToolTip(int position, const QString &text)
{
    if (QTreeWidgetItem *row = d->stateRows.value(position))
        row->setToolTip(0, text);
}

void SensorWindow::vMarkProcessDataStale(bool stale)
{
    if (d->processDataStale == stale)
        return;
    d->processDataStale = stale;
    // Measured values, LEDs and object rows describe a sensor that is gone:
    // grey them and blank the numbers, so nobody reads them as current. The
    // output check boxes stay usable offline.
    for (QTreeWidgetItem *row : qAsConst(d->stateRows)) {
        if (!row || row->parent() == d->masterToDeviceItem)
            continue;
        row->setDisabled(stale);
    }
    if (stale) {
        for (int position = 0; position < 3; ++position) {
            QTreeWidgetItem *row = d->stateRows.value(position);
            if (row && row->parent() == d->measurementValueItem)
                row->setText(ValueColumn, QStringLiteral(" \u2014 "));
        }
    }
}

void SensorWindow::updateCheckState(QTreeWidgetItem *it, int col)
{
    // Only a click that changes a check box counts: a click on a caption
    // must not read the boxes of another column and switch outputs off.
    if (!it || col != kOutputCheckColumn || it->data(kOutputCheckColumn, kPositionRole).toInt() <= 0)
        return;
    OutputRowStates states{};
    for (int i = 0; i < kOutputRowCount; ++i) {
        QTreeWidgetItem *row = d->stateRows.value(kFirstOutputRow + i);
        states[i] = row && row->checkState(kOutputCheckColumn) == Qt::Checked;
    }
    if (states == d->shownOutputStates)
        return;
    d->shownOutputStates = states;
    enableTreeDataHandling(false);
    for (int i = 0; i < kOutputRowCount; ++i) {
        if (QTreeWidgetItem *row = d->stateRows.value(kFirstOutputRow + i))
            row->setText(TextColumn, states[i] ? QCoreApplication::translate("SensorWindow", "On")
                                      : QCoreApplication::translate("SensorWindow", "Off"));
    }
    const quint8 octet = outputOctet(states);
    if (connected) {
        pauseMs(100);
        bSendCommand(fetchResultFrame(), false);
        pauseMs(100);
        queryCommand(buildOutputCommand(octet), std::string());
        pauseMs(100);
        bSendCommand(outputConfirmFrame(), true);
    }
    enableTreeDataHandling(true);
}

} // namespace Core
} // namespace DirazSensorPlugin
