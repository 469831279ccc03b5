#include "sensorwindowui.h"

#include <QAction>
#include <QCoreApplication>
#include <QFrame>
#include <QIcon>
#include <QMainWindow>
#include <QStatusBar>
#include <QToolBar>
#include <QVBoxLayout>

namespace DirazSensorPlugin {
namespace Core {

namespace {

QAction *makeAction(QMainWindow *window, const char *objectName, const char *iconFile,
                    bool checkable = false, bool checked = false, bool enabled = true, bool visible = true)
{
    auto *action = new QAction(window);
    action->setObjectName(QString::fromLatin1(objectName));
    action->setIcon(QIcon(QStringLiteral(":/newPrefix/icons/") + QString::fromLatin1(iconFile)));
    action->setCheckable(checkable);
    action->setChecked(checked);
    action->setEnabled(enabled);
    action->setVisible(visible);
    return action;
}

QToolBar *makeToolBar(QMainWindow *window, const char *objectName, Qt::ToolBarAreas areas, bool floatable)
{
    auto *bar = new QToolBar(window);
    bar->setObjectName(QString::fromLatin1(objectName));
    bar->setAllowedAreas(areas);
    bar->setFloatable(floatable);
    if (!floatable)
        bar->setContextMenuPolicy(Qt::PreventContextMenu);
    window->addToolBar(Qt::TopToolBarArea, bar);
    return bar;
}

} // namespace

const char *SensorWindowUi::styleSheet()
{
    return "QComboBox {\n"
           "    border: 1px solid gray;\n"
           "    border-radius: 3px;\n"
           "    padding: 1px 18px 1px 3px;\n"
           "    min-width: 6em;\n"
           "}\n"
           "\n"
           "QComboBox:editable {\n"
           "    background: white;\n"
           "}\n"
           "\n"
           "QComboBox:!editable, QComboBox::drop-down:editable {\n"
           "    background: qlineargradient(x1: 0, y1: 0, x2: 0, y2: 1,\n"
           "                                stop: 0 #E1E1E1, stop: 0.4 #DDDDDD,\n"
           "                                stop: 0.5 #D8D8D8, stop: 1.0 #D3D3D3);\n"
           "}\n"
           "\n"
           "QComboBox:!editable:on, QComboBox::drop-down:editable:on {\n"
           "    background: qlineargradient(x1: 0, y1: 0, x2: 0, y2: 1,\n"
           "                                stop: 0 #D3D3D3, stop: 0.4 #D8D8D8,\n"
           "                                stop: 0.5 #DDDDDD, stop: 1.0 #E1E1E1);\n"
           "}\n"
           "\n"
           "QComboBox:on {\n"
           "    padding-top: 3px;\n"
           "    padding-left: 4px;\n"
           "}\n"
           "\n"
           "QComboBox::drop-down {\n"
           "    subcontrol-origin: padding;\n"
           "    subcontrol-position: top right;\n"
           "    width: 15px;\n"
           "    border-left-width: 1px;\n"
           "    border-left-color: darkgray;\n"
           "    border-left-style: solid;\n"
           "    border-top-right-radius: 3px;\n"
           "    border-bottom-right-radius: 3px;\n"
           "}\n"
           "\n"
           "QComboBox::down-arrow {\n"
           "    image: url(:/icons/icons/arrow_down.png);\n"
           "}\n"
           "\n"
           "QComboBox::down-arrow:on {\n"
           "    top: 1px;\n"
           "    left: 1px;\n"
           "}\n"
           "\n"
           "QComboBox QAbstractItemView {\n"
           "    border: 2px solid darkgray;\n"
           "    selection-background-color: lightgray;\n"
           "}\n"
           "\n"
           "#toolBox::tab {\n"
           "    font: bold;\n"
           "    color: #4FA600;\n"
           "    height: 26px;\n"
           "}\n"
           "\n"
           "#toolBox {\n"
           "    border: none;\n"
           "}\n"
           "\n"
           "#toolBox QAbstractButton {\n"
           "    border: 1px solid gray;\n"
           "    border-radius: 3px;\n"
           "    padding: 1px 18px 1px 3px;\n"
           "    min-width: 6em;\n"
           "}\n";
}

void SensorWindowUi::setupUi(QMainWindow *window)
{
    if (window->objectName().isEmpty())
        window->setObjectName(QStringLiteral("SensorWindow"));
    window->setEnabled(true);
    window->resize(952, 625);
    window->setContextMenuPolicy(Qt::NoContextMenu);
    window->setWindowOpacity(1.0);
    window->setStyleSheet(QString::fromLatin1(styleSheet()));
    window->setToolButtonStyle(Qt::ToolButtonIconOnly);
    window->setDocumentMode(false);
    window->setDockNestingEnabled(false);

    actionSave_Settings = makeAction(window, "actionSave_Settings", "file_save.svg");
    actionOpen_Settings = makeAction(window, "actionOpen_Settings", "file_open.svg");
    actionSettings = makeAction(window, "actionSettings", "morvale-tool-configure.svg");
    actionSupported_sensors = makeAction(window, "actionSupported_sensors", "libary.svg");
    actionDefaultSettings = makeAction(window, "actionDefaultSettings", "Reset.svg");
    actionExportChartData = makeAction(window, "actionExportChartData", "connect_sensor_pc.svg", false, false, false, false);
    actionEnable_live_data = makeAction(window, "actionEnable_live_data", "recorder_play.svg", true, false);
    actionClear_History = makeAction(window, "actionClear_History", "Verlauf_Loeschen.svg");
    actionPrint_chart_view = makeAction(window, "actionPrint_chart_view", "file_print.svg", false, false, false, false);
    actionExport_chart_view = makeAction(window, "actionExport_chart_view", "Export.svg");
    actionRead = makeAction(window, "actionRead", "lesen.svg", true, false);
    actionRead->setIconVisibleInMenu(true);
    actionWritePermanent = makeAction(window, "actionWritePermanent", "schreiben.svg", true, true);
    actionPrint = makeAction(window, "actionPrint", "file_print.svg", false, false, false, false);
    actionWriting = makeAction(window, "actionWriting", "temporaer_schreiben.svg", true, true, false, false);
    actionRead_Thresholds = makeAction(window, "actionRead_Thresholds", "QRDV.jpg", false, false, false, false);

    centralwidget = new QWidget(window);
    centralwidget->setObjectName(QStringLiteral("centralwidget"));
    verticalLayout = new QVBoxLayout(centralwidget);
    verticalLayout->setObjectName(QStringLiteral("verticalLayout"));
    frame = new QFrame(centralwidget);
    frame->setObjectName(QStringLiteral("frame"));
    frame->setSizePolicy(QSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding));
    frame->setFrameShape(QFrame::StyledPanel);
    frame->setFrameShadow(QFrame::Raised);
    verticalLayout->addWidget(frame);
    window->setCentralWidget(centralwidget);

    fileToolBar = makeToolBar(window, "fileToolBar", Qt::AllToolBarAreas, false);
    fileToolBar->setIconSize(QSize(25, 25));
    fileToolBar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    fileToolBar->addSeparator();
    fileToolBar->addAction(actionExportChartData);

    sensorOperationsToolbar = makeToolBar(window, "sensorOperationsToolbar",
                                          Qt::TopToolBarArea | Qt::BottomToolBarArea, false);
    sensorOperationsToolbar->addAction(actionDefaultSettings);
    sensorOperationsToolbar->addAction(actionEnable_live_data);
    sensorOperationsToolbar->addSeparator();
    sensorOperationsToolbar->addAction(actionRead);
    sensorOperationsToolbar->addAction(actionWritePermanent);
    sensorOperationsToolbar->addAction(actionWriting);

    chartToolbar = makeToolBar(window, "chartToolbar", Qt::AllToolBarAreas, false);
    chartToolbar->addAction(actionRead_Thresholds);
    chartToolbar->addAction(actionClear_History);
    chartToolbar->addAction(actionPrint_chart_view);
    chartToolbar->addAction(actionExport_chart_view);
    chartToolbar->addAction(actionPrint);
    chartToolbar->setEnabled(false);

    connectionToolBar = makeToolBar(window, "connectionToolBar",
                                    Qt::TopToolBarArea | Qt::BottomToolBarArea, false);
    outuptsComboToolBar = makeToolBar(window, "outuptsComboToolBar", Qt::AllToolBarAreas, true);

    statusBar = new QStatusBar(window);
    statusBar->setObjectName(QStringLiteral("statusBar"));
    window->setStatusBar(statusBar);

    retranslateUi(window);
    QMetaObject::connectSlotsByName(window);
}

void SensorWindowUi::retranslateUi(QMainWindow *window)
{
    window->setWindowTitle(QCoreApplication::translate("SensorWindow", "SensorWindow"));
    actionSave_Settings->setText(QCoreApplication::translate("SensorWindow", "Save Settings"));
    actionSave_Settings->setStatusTip(QCoreApplication::translate("SensorWindow", "Save sensor settings to file"));
    actionOpen_Settings->setText(QCoreApplication::translate("SensorWindow", "Open Settings"));
    actionOpen_Settings->setStatusTip(QCoreApplication::translate("SensorWindow", "Open a saved sensor from file"));
    actionSettings->setText(QCoreApplication::translate("SensorWindow", "Settings"));
    actionSupported_sensors->setText(QCoreApplication::translate("SensorWindow", "Supported sensors"));
    actionDefaultSettings->setText(QCoreApplication::translate("SensorWindow", "DefaultSettings"));
    actionDefaultSettings->setToolTip(QCoreApplication::translate("SensorWindow", "Restore sensor's default settings"));
    actionDefaultSettings->setStatusTip(QCoreApplication::translate("SensorWindow", "Restore sensor's default settings"));
    actionExportChartData->setText(QCoreApplication::translate("SensorWindow", "Export Chart Data"));
    actionExportChartData->setStatusTip(QCoreApplication::translate("SensorWindow", "Export chart data to file"));
    actionEnable_live_data->setText(QCoreApplication::translate("SensorWindow", "Enable live data"));
    actionEnable_live_data->setToolTip(QCoreApplication::translate("SensorWindow", "Enable live data"));
    actionClear_History->setText(QCoreApplication::translate("SensorWindow", "Clear History"));
    actionClear_History->setToolTip(QCoreApplication::translate("SensorWindow", "Clear chart history"));
    actionPrint_chart_view->setText(QCoreApplication::translate("SensorWindow", "Print chart view"));
    actionPrint_chart_view->setToolTip(QCoreApplication::translate("SensorWindow", "Print current chart view"));
    actionExport_chart_view->setText(QCoreApplication::translate("SensorWindow", "Export chart view"));
    actionExport_chart_view->setToolTip(QCoreApplication::translate("SensorWindow", "Export current chart view"));
    actionRead->setText(QCoreApplication::translate("SensorWindow", "Output 1"));
    actionRead->setToolTip(QCoreApplication::translate("SensorWindow", "read"));
    actionWritePermanent->setText(QString());
    actionWritePermanent->setToolTip(QCoreApplication::translate("SensorWindow", "write "));
    actionPrint->setText(QCoreApplication::translate("SensorWindow", "Print"));
    actionPrint->setToolTip(QCoreApplication::translate("SensorWindow", "print"));
    actionWriting->setText(QCoreApplication::translate("SensorWindow", "Switch to FP"));
    actionWriting->setIconText(QCoreApplication::translate("SensorWindow", "writings"));
    actionWriting->setToolTip(QCoreApplication::translate("SensorWindow", "Write temporarily"));
    actionRead_Thresholds->setText(QCoreApplication::translate("SensorWindow", "Read Thresholds"));
    fileToolBar->setWindowTitle(QCoreApplication::translate("SensorWindow", "File Tool Bar"));
    sensorOperationsToolbar->setWindowTitle(QCoreApplication::translate("SensorWindow", "Sensor Operations Tool Bar"));
    chartToolbar->setWindowTitle(QCoreApplication::translate("SensorWindow", "toolBar"));
    connectionToolBar->setWindowTitle(QCoreApplication::translate("SensorWindow", "toolBar"));
    outuptsComboToolBar->setWindowTitle(QCoreApplication::translate("SensorWindow", "toolBar"));
}

} // namespace Core
} // namespace DirazSensorPlugin
