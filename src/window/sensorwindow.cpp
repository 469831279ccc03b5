#include "sensorwindow.h"

#include "catalogue/catalogue.h"
#include "catalogue/descriptionfile.h"
#include "logcategories.h"
#include "parameters/comboboxitemdelegate.h"
#include "parameters/comboboxitemdelegate1.h"
#include "parameters/stateofdevicemydelegate.h"
#include "sensorwindowprivate.h"
#include "viewpositions.h"
#include "sensorwindowui.h"

#include <extensionsystem/globals.h>
#include <qttreepropertybrowser.h>
#include <utils/connectionstatus.h>
#include <utils/genericchart.h>
#include <utils/thresholdwindowwidgetgeneric.h>
#include <utils/thresholdwindowwidgetuniversal.h>

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialog>
#include <QDockWidget>
#include <QFrame>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QResizeEvent>
#include <QStatusBar>
#include <QToolBar>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <boost/property_tree/xml_parser.hpp>

namespace DirazSensorPlugin {
namespace Core {

namespace {

// Room for a tree value such as "Switching output distance" beside its
// caption, and for the process-data texts.
constexpr int kSideColumnWidth = 430;

} // namespace

SensorWindow::SensorWindow(const ExtensionSystem::SensorBasic *sensor)
    : SensorWindow(sensor, catalogueFilePath())
{
}

SensorWindow::SensorWindow(const ExtensionSystem::SensorBasic *sensor, const std::string &descriptionFile)
    : QMainWindow(nullptr)
    , d(std::make_unique<SensorWindowPrivate>())
    , descriptionFile(descriptionFile)
{
    vConstruct(sensor);
}

// The order matters: the tree needs its managers and the window title, the
// rules need the tree and the charts, the presentation mode needs the docks.
void SensorWindow::vConstruct(const ExtensionSystem::SensorBasic *sensor)
{
    ui = std::make_unique<SensorWindowUi>();
    ui->setupUi(this);

    d->portSelector = new QComboBox(this);
    d->portSelector->setObjectName(QStringLiteral("portSelector"));
    d->portSelector->insertItem(0, QCoreApplication::translate("SensorWindow", "Offline"), QVariant(QString()));
    d->portSelector->insertSeparator(1);
    ui->connectionToolBar->addWidget(d->portSelector);

    stateOfDeviceDelegate = new StateOfDeviceMyDelegate(this);
    d->operationsSpacer = new QLabel(this);
    d->operationsSpacer->setFixedWidth(10);
    ui->sensorOperationsToolbar->addWidget(d->operationsSpacer);

    d->language = sensorRecord.language();
    // One parse per window: the model's entry and the tree both come from it.
    std::string descriptionError;
    if (!loadDescriptionFile(descriptionFile, descriptionTree, descriptionError,
                             boost::property_tree::xml_parser::no_comments))
        qCWarning(lcCatalogue, "%s", descriptionError.c_str());
    if (sensor)
        sensorRecord = catalogueLookup(sensor->name(), descriptionTree);

    d->propertyTreeDock = new QDockWidget(QCoreApplication::translate("SensorWindow", "Property tree"), this);
    d->propertyTreeDock->setObjectName(QStringLiteral("propertyTree"));
    d->propertyTreeDock->setAllowedAreas(Qt::AllDockWidgetAreas);
    d->propertyTreeDock->toggleViewAction()->setIcon(QIcon(QStringLiteral(":/newPrefix/icons/Menuebaum.svg")));

    vBuildCharts();
    vRetranslateChartTitles();

    vCreatePropertyComponents();

    enableTreeDataHandling(true);
    updateWindowTitle();
    ui->sensorOperationsToolbar->setEnabled(false);
    connected = false;
    connect(&d->chartTimer, &QTimer::timeout, this, &SensorWindow::queryChartData);
    connect(&d->continuousDataTimer, &QTimer::timeout, this, &SensorWindow::slotContinousDataTimeout);
    connect(&d->teachTimer, &QTimer::timeout, this, &SensorWindow::slotUpdatingTeachValues);

    connect(ui->actionSave_Settings, &QAction::triggered, this, &SensorWindow::vSaveSettings);
    connect(ui->actionOpen_Settings, &QAction::triggered, this, &SensorWindow::vLoadSettings);
    connect(ui->actionDefaultSettings, &QAction::triggered, this, &SensorWindow::vRestoreFactorySettings);
    connect(ui->actionExport_chart_view, &QAction::triggered, this, &SensorWindow::vExportChartData);
    connect(ui->actionPrint_chart_view, &QAction::triggered, this, &SensorWindow::vPrintDocument);
    connect(ui->actionClear_History, &QAction::triggered, this, &SensorWindow::vClearHistory);
    connect(ui->actionEnable_live_data, &QAction::triggered, this, &SensorWindow::actionEnableLiveData);
    connect(d->portSelector, QOverload<int>::of(&QComboBox::activated), this, &SensorWindow::actionConnectSensor);
    connect(ui->actionWritePermanent, &QAction::triggered, this, &SensorWindow::vWriteAllSettings);
    connect(ui->actionRead, &QAction::triggered, this, &SensorWindow::vRadAllSettings);
    connect(&d->writeIconTimer, &QTimer::timeout, this, QOverload<>::of(&SensorWindow::signalWriteModeIcon));

    setWindowFlags(Qt::Widget);
    // Values set while the tree is built are defaults, not edits.
    enableTreeDataHandling(false);
    bLoadPropertyTree();
    enableTreeDataHandling(true);
    vBuildObservationDock();
    vBuildProcessDataView();

    setMinimumHeight(600);
    setMinimumWidth(1100);

    d->connectionStatus = new Utils::ConnectionStatus(this);
    d->statusLabel = new QLabel(this);
    ui->statusBar->addPermanentWidget(d->connectionStatus);
    ui->statusBar->addPermanentWidget(d->statusLabel);
    d->chart->setEnabled(false);

    delayTimer.setInterval(400);
    delayTimer.setSingleShot(true);
    // A coarse timer may fire up to 5 % early; the write waits the full 400 ms.
    delayTimer.setTimerType(Qt::PreciseTimer);
    connect(&delayTimer, &QTimer::timeout, this, &SensorWindow::sendDelayValue);

    d->progressLayout = new QGridLayout(d->progressDialog);
    d->progressBar = new QProgressBar(d->progressDialog);
    d->progressBar->setTextVisible(false);
    d->progressBar->setStyleSheet(QStringLiteral("QProgressBar::chunk{background-color: #00619E;margin: 0.8px}"));
    d->progressLabel = new QLabel(d->progressDialog);
    d->progressLabel->setObjectName(QStringLiteral("label"));
    d->progressButton = new QPushButton(d->progressDialog);
    d->progressButton->setFixedSize(23, 20);

    d->chart->setTimelineScale(2.0, 10500.0);
    connect(d->chart, &Utils::Charts::GenericChart::vSignalZommResetForNoiseLine,
            this, &SensorWindow::vZommResetForNoiseLine);
    connect(propertyBrowser, &QtTreePropertyBrowser::currentItemChanged, this, &SensorWindow::itemSelected);

    for (const QString &id : qAsConst(hiddenPropertyIds))
        vSetPropertyVisible(id, false);

    vSetUpIndependentPlot();

    vApplyParameterRules();

    for (const char *id : {"AnalogMode", "TeachStatus", "AnalogSubt", "MeasuringDataChannel"})
        vSetPropertyVisible(QString::fromLatin1(id), false);

    vSensorUpdate(ExtensionSystem::Globals::getPresentationMode());

    d->chart->vSetSignalTextVisible(3, false);
    QtProperty *objectInfo = findProperty(QStringLiteral("ObjectInfo"));
    vApplyMeasurementUnitView();
    vApplyObjectInfoView();
    if (objectInfo)
        d->enumManager->setValue(objectInfo, 0);
    for (int plot : {SpeedPlot, IntensityPlot, DistancePlot})
        d->chart->vSetGraphTextVisible(plot, false);

    // The chart is the widest area: the tree and the process data share the
    // left column, wide enough for the tree's values and the process-data
    // texts; the object rows sit behind the process data as a second tab.
    splitDockWidget(d->propertyTreeDock, d->processDataDock, Qt::Vertical);
    tabifyDockWidget(d->processDataDock, d->observationDock);
    d->processDataDock->raise();
    resizeDocks({d->propertyTreeDock}, {kSideColumnWidth}, Qt::Horizontal);
    resizeDocks({d->propertyTreeDock, d->processDataDock}, {55, 45}, Qt::Vertical);
}

SensorWindow::~SensorWindow()
{
    if (d->chart && d->chart->hasLimitLines())
        d->chart->clearLimitLines();
    d->liveData = false;
    d->chartTimer.stop();
    d->continuousDataTimer.stop();
    d->teachTimer.stop();
    d->writeIconTimer.stop();
    delayTimer.stop();
    // Children go while the window is still whole: a browser or tree being
    // torn down may still signal one of our slots.
    delete d->propertyTreeDock;
    delete d->observationDock;
    delete d->processDataDock;
    // Markers watch the plots' canvases: they go before the plots.
    qDeleteAll(d->rangeMarkers);
    qDeleteAll(d->thresholdMarkers);
    d->rangeMarkers.clear();
    d->thresholdMarkers.clear();
    d->universalThreshold = nullptr;
    delete d->chart;
    propertyBrowser = nullptr;
    d->chart = nullptr;
    d.reset();
}

void SensorWindow::setSerialChannel(ExtensionSystem::CommunicationInterface *channel)
{
    d->channel = channel;
}

ExtensionSystem::CommunicationInterface *SensorWindow::serialChannel() const
{
    return d->channel;
}

void SensorWindow::jumpToPlottingArea()
{
    if (d->chart)
        d->chart->jumpToPlottingArea();
}

void SensorWindow::vBuildObservationDock()
{
    d->observationDock = new QDockWidget(QCoreApplication::translate("SensorWindow", "Observation"), this);
    d->observationDock->setObjectName(QStringLiteral("observation"));
    d->observationDock->setAllowedAreas(Qt::AllDockWidgetAreas);
    d->observationDock->setStyleSheet(QStringLiteral("QWidget {border: 1px solid lightgray;}"));
    d->observationDock->toggleViewAction()->setIcon(
        QIcon(QStringLiteral(":/newPrefix/icons/Connection_image_new-01.svg")));
    ui->fileToolBar->addAction(d->observationDock->toggleViewAction());

    auto *content = new QWidget(d->observationDock);
    auto *grid = new QGridLayout(content);
    grid->setContentsMargins(0, 0, 1, 0);
    d->observationTree = new QTreeWidget(content);
    d->observationTree->setObjectName(QStringLiteral("observationTree"));
    d->observationTree->setColumnCount(4);
    d->observationTree->setHeaderHidden(true);
    d->observationTree->setAlternatingRowColors(true);
    d->observationTree->setIconSize(QSize(32, 32));
    d->observationTree->setFrameShape(QFrame::NoFrame);
    d->observationTree->setSelectionMode(QAbstractItemView::NoSelection);
    d->observationTree->setItemsExpandable(true);
    d->observationTree->setItemDelegate(stateOfDeviceDelegate);
    setStateTreeColumns(d->observationTree);
    grid->addWidget(d->observationTree, 0, 0, 1, 4);
    d->observationDock->setWidget(content);
    d->observationDock->setMinimumWidth(375);
    addDockWidget(Qt::RightDockWidgetArea, d->observationDock);
}

void SensorWindow::vSensorUpdate(QVariant mode)
{
    vSensorUpdate(mode.toBool());
}

void SensorWindow::vSensorUpdate(bool mode)
{
    for (QDockWidget *dock : {d->propertyTreeDock, d->observationDock})
        if (dock)
            dock->setVisible(!mode);
    if (d->chart)
        for (int plot = 0; plot < d->chart->nPlotCount(); ++plot)
            if (QDockWidget *item = d->chart->getDockChartItem(plot))
                item->setVisible(!mode);
    if (d->measurementValueItem)
        d->measurementValueItem->setExpanded(true);
    if (!mode) {
        for (QTreeWidgetItem *item : {d->deviceToMasterItem, d->masterToDeviceItem, d->objectInformationItem})
            if (item)
                item->setExpanded(true);
    }
}

void SensorWindow::vSetCompleteName(QString str)
{
    d->completeName = str;
}

void SensorWindow::actionEnableLiveData()
{
    d->liveData = ui->actionEnable_live_data->isChecked();
    if (d->channel)
        d->chartTimer.start();
}

void SensorWindow::setWindowActive(bool)
{
    if (ui->actionEnable_live_data->isChecked())
        jumpToPlottingArea();
}

void SensorWindow::actionDock()
{
    if (!d->chart)
        return;
    int count = 0;
    for (int plot = 0; plot < 3; ++plot) {
        QDockWidget *item = d->chart->getDockChartItem(plot);
        if (item && item->toggleViewAction()->isChecked())
            ++count;
    }
    if (count > 0)
        d->chart->UpdateMinimumHeightsCustomDocksK4KR(height(), width(), count, 260);
}

void SensorWindow::updateWindowTitle()
{
    const QString title = QString::fromStdString(sensorRecord.name()) + QStringLiteral(" (")
                          + d->portSelector->currentText() + QStringLiteral(")");
    setWindowTitle(title);
    if (rootProperty)
        rootProperty->setPropertyName(title);
    ui->statusBar->showMessage(title);
}

void SensorWindow::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    if (!d || !d->chart)
        return;
    d->chart->UpdateMinimumHeightsCustomDocksK4KR(height(), width(), 1, 260);
    if (connected)
        d->chart->jumpToPlottingArea();
}

void SensorWindow::closeEvent(QCloseEvent *event)
{
    ui->actionEnable_live_data->setChecked(false);
    d->liveData = false;
    d->chartTimer.stop();
    disconnect(&d->chartTimer, &QTimer::timeout, this, &SensorWindow::queryChartData);
    d->continuousDataTimer.stop();
    disconnect(&d->continuousDataTimer, &QTimer::timeout, this, &SensorWindow::slotContinousDataTimeout);
    vDisconnect();
    ui->actionEnable_live_data->setChecked(false);
    d->liveData = false;
    d->showProgress = false;
    emit vAboutToClose();
    QMainWindow::closeEvent(event);
}

bool SensorWindow::eventFilter(QObject *watched, QEvent *event)
{
    return QMainWindow::eventFilter(watched, event);
}

// Slots the window offers but that have nothing to do.
void SensorWindow::vOpenManual() {}
void SensorWindow::independentPlotZoomedSlot(int) {}
void SensorWindow::resizeIndependentPlotSlot(int) {}
void SensorWindow::slotContinousDataTimeout() {}
void SensorWindow::stringValueChanged(QtProperty *, QString) {}
void SensorWindow::enableStringManagerHandling(bool) {}

} // namespace Core
} // namespace DirazSensorPlugin
