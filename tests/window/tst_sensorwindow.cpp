// The sensor window as built from the shipped description: what the
// construction leaves on screen, presentation mode, live data without a
// channel, dock sizing, closing and a language change.

#include "k4ktest.h"
#include "sensorwindowprobe.h"

#include "comm/pause.h"

#include <extensionsystem/globals.h>
#include <qtpropertymanager.h>
#include <qttreepropertybrowser.h>
#include <simulator/simulatedchannel.h>
#include <utils/genericchart.h>

#include <QComboBox>
#include <QDockWidget>
#include <QToolBar>
#include <QTreeWidget>
#include <QtTest>


using namespace K4KTest;
using namespace DirazSensorPlugin::Core;
using ExtensionSystem::Globals;

class SensorWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        Globals::setLanguage("en");
        Globals::setPresentationMode(false);
        setPauseScale(0.0);
    }
    void cleanup() { Globals::setPresentationMode(false); }

    void offlineWindowAfterConstruction()
    {
        const ExtensionSystem::SensorBasic model = catalogueModel();
        QVERIFY(!model.name().empty());
        SensorWindowProbe w(&model, shippedDescription());
        auto &d = w.p();

        QCOMPARE(w.windowTitle(), QString::fromStdString(model.name()) + " (Offline)");
        QVERIFY(!w.ui->sensorOperationsToolbar->isEnabled());
        QVERIFY(!w.ui->chartToolbar->isEnabled());
        QVERIFY(!w.ui->actionEnable_live_data->isChecked());
        QVERIFY(!d.chartTimer.isActive());

        // The shipped description fills the tree and the process-data view.
        QVERIFY(w.propertyAddresses.size() > 50);
        QVERIFY(d.stateRows.size() >= 24);
        QtProperty *objectInfo = w.findProperty("ObjectInfo");
        QVERIFY(objectInfo);
        QCOMPARE(d.enumManager->value(objectInfo), 0);
        for (const char *id : {"AnalogMode", "TeachStatus", "AnalogSubt", "MeasuringDataChannel"}) {
            QtProperty *p = w.findProperty(id);
            if (!p)
                continue; // hidden in the description itself
            for (QtBrowserItem *item : w.propertyBrowser->items(p))
                QVERIFY2(!w.propertyBrowser->isItemVisible(item), id);
        }
        QCOMPARE(w.dockWidgetArea(d.propertyTreeDock), Qt::LeftDockWidgetArea);
        // The chart is the widest area: tree and process data share the left column.
        QCOMPARE(w.dockWidgetArea(d.processDataDock), Qt::LeftDockWidgetArea);
        // Status bits 4 to 7 name their conditions from the start.
        QCOMPARE(d.stateRows[7]->toolTip(0), QStringLiteral("Object too close"));
        for (int row = 8; row <= 10; ++row)
            QVERIFY(!d.stateRows[row]->toolTip(0).isEmpty());
        QVERIFY(!d.chart->isEnabled()); // offline
    }

    void presentationModeHidesTreeObservationAndCharts_data()
    {
        QTest::addColumn<bool>("presentation");
        QTest::newRow("presentation") << true;
        QTest::newRow("normal") << false;
    }

    void presentationModeHidesTreeObservationAndCharts()
    {
        QFETCH(bool, presentation);
        Globals::setPresentationMode(presentation);
        SensorWindowProbe w(nullptr, shippedDescription());
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        auto &d = w.p();
        QCOMPARE(d.propertyTreeDock->isVisible(), !presentation);
        if (presentation) {
            QVERIFY(!d.observationDock->isVisible());
            for (int plot = 0; plot < d.chart->nPlotCount(); ++plot)
                QVERIFY(!d.chart->getDockChartItem(plot)->isVisible());
        } else {
            QVERIFY(d.chart->getDockChartItem(3)->isVisible()); // the distance chart
        }
        QVERIFY(d.processDataDock->isVisible());
        for (QToolBar *bar : {w.ui->fileToolBar, w.ui->sensorOperationsToolbar, w.ui->connectionToolBar})
            QVERIFY(bar->isVisible());

        // Switching at run time follows the same rule.
        w.vSensorUpdate(QVariant(!presentation));
        QCOMPARE(d.propertyTreeDock->isVisible(), presentation);
        QCOMPARE(d.chart->getDockChartItem(3)->isVisible(), presentation);
        QVERIFY(d.processDataDock->isVisible());
    }

    void liveDataStartsPollingOnlyWithAChannel()
    {
        SensorWindowProbe w(nullptr, shippedDescription());
        auto &d = w.p();
        w.ui->actionEnable_live_data->trigger();
        QVERIFY(w.ui->actionEnable_live_data->isChecked());
        QVERIFY(d.liveData);
        QVERIFY(!d.chartTimer.isActive());

        w.ui->actionEnable_live_data->trigger();
        QVERIFY(!d.liveData);

        IoLinkSim::SimulatedChannel channel;
        w.setSerialChannel(&channel);
        QCOMPARE(w.serialChannel(), &channel);
        w.ui->actionEnable_live_data->trigger();
        QVERIFY(d.liveData);
        QVERIFY(d.chartTimer.isActive());
        d.chartTimer.stop();
        w.setSerialChannel(nullptr);
    }

    void actionDockLeavesHeightsAloneWhenNoChartDockIsShown()
    {
        SensorWindowProbe w(nullptr, shippedDescription());
        w.resize(1200, 900);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        auto &d = w.p();
        auto heights = [&] {
            QList<int> result;
            for (int plot = 0; plot < 4; ++plot)
                result << d.chart->getDockChartItem(plot)->minimumHeight();
            return result;
        };
        for (int plot = 0; plot < 3; ++plot)
            d.chart->getDockChartItem(plot)->hide();
        const QList<int> before = heights();
        w.actionDock();
        QCOMPARE(heights(), before);

        // Two shown docks share the room; the heights then change.
        d.chart->getDockChartItem(0)->show();
        d.chart->getDockChartItem(2)->show();
        w.actionDock();
        QVERIFY(heights() != before);
    }

    void closingStopsTimersBeforeAnnouncingIt()
    {
        SensorWindowProbe w(nullptr, shippedDescription());
        IoLinkSim::SimulatedChannel channel;
        w.setSerialChannel(&channel);
        // As the interface object does: an empty port takes the channel back.
        connect(&w, &SensorWindow::vComPortSelected, this,
                [&](const QString &port) { w.setSerialChannel(port.isEmpty() ? nullptr : &channel); });
        auto &d = w.p();
        w.show();
        w.ui->actionEnable_live_data->trigger();
        d.continuousDataTimer.start(1000);
        QVERIFY(d.chartTimer.isActive());

        bool announced = false;
        bool timersRunning = true;
        bool liveChecked = true;
        connect(&w, &SensorWindow::vAboutToClose, this, [&] {
            announced = true;
            timersRunning = d.chartTimer.isActive() || d.continuousDataTimer.isActive();
            liveChecked = w.ui->actionEnable_live_data->isChecked() || d.liveData;
        });
        QVERIFY(w.close());
        QVERIFY(announced);
        QVERIFY(!timersRunning);
        QVERIFY(!liveChecked);
        QVERIFY(!d.showProgress);
        w.setSerialChannel(nullptr);
    }

    void languageChangeKeepsThePortSelection_data()
    {
        QTest::addColumn<int>("selected");
        QTest::newRow("a port") << 3;
        QTest::newRow("offline") << 0;
    }

    void languageChangeKeepsThePortSelection()
    {
        QFETCH(int, selected);
        SensorWindowProbe w(nullptr, shippedDescription());
        auto &d = w.p();
        d.portSelector->addItems({"/dev/ttyS0", "/dev/ttyS1"});
        d.portSelector->setCurrentIndex(selected);
        d.outputSelector->setCurrentIndex(1);
        const QString port = d.portSelector->currentText();

        QEvent change(QEvent::LanguageChange);
        QCoreApplication::sendEvent(&w, &change);

        QCOMPARE(d.portSelector->currentIndex(), selected);
        QCOMPARE(d.portSelector->currentText(), port);
        QCOMPARE(d.portSelector->itemText(0), QStringLiteral("Offline"));
        QCOMPARE(d.portSelector->itemData(1, Qt::AccessibleDescriptionRole).toString(), QStringLiteral("separator"));
        QCOMPARE(d.outputSelector->currentIndex(), 1);
        QCOMPARE(d.outputSelector->itemText(1), QStringLiteral("Output 2"));
        QCOMPARE(d.observationDock->windowTitle(), QStringLiteral(" Observation"));
        QVERIFY(w.windowTitle().endsWith(" (" + port + ")"));
        QVERIFY(!w.findProperty("root"));
        QCOMPARE(w.rootProperty->propertyName(), w.windowTitle());
    }
};

QTEST_MAIN(SensorWindowTest)
#include "tst_sensorwindow.moc"
