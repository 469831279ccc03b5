// Teach-in and device actions of a window on the real serial channel against
// iolink-sim on a pseudo-terminal, with the object held at 1500 mm.

#include "k4ktest.h"
#include "sensorwindowprobe.h"
#include "simulatorport.h"

#include "comm/pause.h"
#include "persistence/dialoglayer.h"

#include <extensionsystem/globals.h>
#include <qtdoublepropertymanager.h>
#include <utils/genericchart.h>
#include <utils/valueovertime.h>

#include <QComboBox>
#include <QtTest>

using namespace K4KTest;
using namespace DirazSensorPlugin::Core;

class TeachAndActionsTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        ExtensionSystem::Globals::setLanguage("en");
        DialogLayer::setTestMode(true);
        // Real pauses, halved: the simulated device keeps real time too.
        setPauseScale(0.5);
    }

    void teachResetAndBackToBox()
    {
        SimulatorOnPort sim;
        QVERIFY(sim.start({"--distance", "1500"}, 0));
        const ExtensionSystem::SensorBasic model = catalogueModel();
        SensorWindowProbe w(&model, shippedDescription());
        auto &d = w.p();
        d.showProgress = false;
        w.setSerialChannel(sim.channel.get());
        QVERIFY(w.bConnectToSensor());
        w.connected = true;
        d.pollingAllowed = true;
        d.afterConnect = false;
        w.enableStatusChecking(true);
        const Utils::Charts::ValueOverTime *distances = d.chart->getData(3);
        QTRY_VERIFY_WITH_TIMEOUT(distances->size() > 3, 10000);
        QCOMPARE(distances->lastY(), 1500.0);

        // Teach-in of output 1: the switching point becomes the object's distance.
        QtProperty *switching = w.findProperty(QStringLiteral("SwitchingThresholdA1"));
        d.doubleManager->setValue(switching, 1000);
        w.buttonClicked(w.findProperty(QStringLiteral("TEACHBUTTON1")));
        QTRY_VERIFY_WITH_TIMEOUT(d.teachTimer.isActive(), 5000);
        QTRY_COMPARE_WITH_TIMEOUT(d.doubleManager->value(switching), 1500.0, 15000);

        // Device reset: still connected, and polling goes on.
        w.buttonClicked(w.findProperty(QStringLiteral("DEVICEBUTTON")));
        QTRY_VERIFY_WITH_TIMEOUT(!w.delayTimer.isActive() && d.chartTimer.isActive(), 30000);
        QVERIFY(w.connected);
        const int before = distances->size();
        QTRY_VERIFY_WITH_TIMEOUT(distances->size() > before + 3, 15000);

        // Back-to-box takes it offline; plugged in again, it connects again.
        DialogLayer::enqueueAnswer(QMessageBox::Ok);
        w.buttonClicked(w.findProperty(QStringLiteral("BACKTOBOXBUTTON")));
        QTRY_VERIFY_WITH_TIMEOUT(!w.connected, 30000);
        QCOMPARE(d.portSelector->currentIndex(), 0);
        sim.process.write("plug\n");
        QTRY_VERIFY_WITH_TIMEOUT(w.bConnectToSensor(), 20000);

        w.setSerialChannel(nullptr);
    }
};

QTEST_MAIN(TeachAndActionsTest)
#include "tst_teachandactions.moc"
