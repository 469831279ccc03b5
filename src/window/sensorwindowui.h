#pragma once

#include <QAction>
class QFrame;
class QMainWindow;
class QStatusBar;
class QToolBar;
class QVBoxLayout;
class QWidget;

namespace DirazSensorPlugin {
namespace Core {

// The sensor window's actions, central panel, toolbars and status bar.
class SensorWindowUi
{
public:
    QAction *actionSave_Settings = nullptr;
    QAction *actionOpen_Settings = nullptr;
    QAction *actionSettings = nullptr;
    QAction *actionSupported_sensors = nullptr;
    QAction *actionDefaultSettings = nullptr;
    QAction *actionExportChartData = nullptr;
    QAction *actionEnable_live_data = nullptr;
    QAction *actionClear_History = nullptr;
    QAction *actionPrint_chart_view = nullptr;
    QAction *actionExport_chart_view = nullptr;
    QAction *actionRead = nullptr;
    QAction *actionWritePermanent = nullptr;
    QAction *actionPrint = nullptr;
    QAction *actionWriting = nullptr;
    QAction *actionRead_Thresholds = nullptr;
    QWidget *centralwidget = nullptr;
    QVBoxLayout *verticalLayout = nullptr;
    QFrame *frame = nullptr;
    QToolBar *fileToolBar = nullptr;
    QToolBar *sensorOperationsToolbar = nullptr;
    QToolBar *chartToolbar = nullptr;
    QToolBar *connectionToolBar = nullptr;
    QToolBar *outuptsComboToolBar = nullptr;
    QStatusBar *statusBar = nullptr;

    void setupUi(QMainWindow *window);
    void retranslateUi(QMainWindow *window);

    // The window style sheet: combo boxes, their pop-ups and the tool box.
    static const char *styleSheet();
};

} // namespace Core
} // namespace DirazSensorPlugin
