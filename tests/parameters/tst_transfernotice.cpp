// The notice of whole-set transfers and connecting: it counts parameters
// done out of all, and Escape or its button cancels the work behind it,
// leaving the window Offline with what was already written kept.

#include "k4ktest.h"
#include "sensorwindowprobe.h"

#include "catalogue/catalogue.h"
#include "comm/pause.h"
#include "persistence/dialoglayer.h"

#include <qtpropertymanager.h>
#include <simulator/simulatedchannel.h>
#include <utils/connectionstatus.h>

#include <QComboBox>
#include <QDialog>
#include <QProgressBar>
#include <QPushButton>
#include <QtTest>

using namespace K4KTest;
using namespace DirazSensorPlugin::Core;

namespace {

// The window with the simulated channel lent as the interface object lends it.
struct Rig
{
    Rig()
    {
        ExtensionSystem::PortSettings settings;
        settings.portName = QStringLiteral("/dev/sim");
        sim.setPortSettings(settings);
        QObject::connect(&w, &SensorWindow::vComPortSelected, &w, [this](QString port) {
            w.setSerialChannel(port.isEmpty() ? nullptr : &sim);
        });
        w.updateComPortList({QStringLiteral("/dev/sim")});
        w.p().portSelector->setCurrentIndex(2);
    }
    ~Rig() { w.setSerialChannel(nullptr); }

    int writes() const
    {
        int n = 0;
        for (const auto &r : sim.records())
            n += r.command.size() > 6 && std::uint8_t(r.command[2]) == 0x24;
        return n;
    }
    void verifyOffline()
    {
        QVERIFY(!w.connected);
        QCOMPARE(w.p().portSelector->currentIndex(), 0);
        QVERIFY(!w.serialChannel());
        QVERIFY(!w.p().connectionStatus->isConnected());
        QVERIFY(!w.p().progressDialog->isVisible());
        QVERIFY(!w.p().afterConnect);
    }

    const ExtensionSystem::SensorBasic model = catalogueModel();
    IoLinkSim::SimulatedChannel sim;
    SensorWindowProbe w{&model, shippedDescription()};
};

} // namespace

class TransferNoticeTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        DialogLayer::setTestMode(true);
        setPauseScale(0.02);
    }
    void init() { DialogLayer::reset(); }

    // The bar counts parameters while the pass runs, then the minimum time.
    void countsParametersDone()
    {
        Rig rig;
        rig.w.connected = true;
        rig.w.setSerialChannel(&rig.sim);
        QList<QPair<int, int>> seen;
        QTimer sampler;
        QObject::connect(&sampler, &QTimer::timeout, &rig.w, [&] {
            seen << qMakePair(rig.w.p().progressBar->value(), rig.w.p().progressBar->maximum());
        });
        sampler.start(5);
        rig.w.vWriteAllSettings(true);
        sampler.stop();
        const int total = rig.w.propertyAddresses.size();
        // Samples outside the pass show the minimum time instead.
        int last = -1, counted = 0;
        for (const auto &s : qAsConst(seen)) {
            if (s.second != total)
                continue;
            ++counted;
            QVERIFY(s.first >= last && s.first <= total);
            last = s.first;
        }
        QVERIFY(counted > 3);
        QVERIFY(last > total / 2);
        QCOMPARE(rig.w.p().progressBar->maximum(), rig.w.p().noticeTicks);
        QVERIFY(rig.w.p().progressDialog->isVisible()); // its minimum time is not over
    }

    void cancelStopsAndGoesOffline_data()
    {
        QTest::addColumn<bool>("byButton");
        QTest::newRow("Escape") << false;
        QTest::newRow("cancel button") << true;
    }
    void cancelStopsAndGoesOffline()
    {
        QFETCH(bool, byButton);
        Rig rig;
        rig.w.connected = true;
        rig.w.setSerialChannel(&rig.sim);
        QtProperty *threshold = rig.w.findProperty(QStringLiteral("SwitchingThresholdA1"));
        rig.w.enableTreeDataHandling(false);
        rig.w.p().doubleManager->setValue(threshold, 2222.0);
        QTimer::singleShot(150, &rig.w, [&] {
            if (byButton)
                rig.w.p().progressButton->click();
            else
                QTest::keyClick(rig.w.p().progressDialog, Qt::Key_Escape);
        });
        rig.w.vWriteAllSettings(true);
        rig.verifyOffline();
        // Some writes went out, not all of them, and the tree kept its values.
        QVERIFY(rig.writes() > 0);
        QVERIFY(rig.writes() < rig.w.propertyAddresses.size() / 2);
        QCOMPARE(rig.w.p().doubleManager->value(threshold), 2222.0);
        QVERIFY(DialogLayer::takeShown().isEmpty());
    }

    // A device that answers too late for every probe: the attempt ends at
    // the person's word, with no refusal message.
    void cancelledConnectionAttempt()
    {
        Rig rig;
        IoLinkSim::FaultSettings late;
        late.delayMs = 1500;
        rig.sim.master().setFaults(late);
        QTimer::singleShot(200, &rig.w, [&] { QTest::keyClick(rig.w.p().progressDialog, Qt::Key_Escape); });
        DialogLayer::enqueueAnswer(1); // Sensor -> PC
        rig.w.actionConnectSensor(2);
        QVERIFY(rig.sim.records().size() < 5); // the five probes were not all sent
        rig.verifyOffline();
        const QList<DialogLayer::Shown> shown = DialogLayer::takeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].kind, DialogLayer::Kind::ConnectionSwitch);
    }
};

QTEST_MAIN(TransferNoticeTest)
#include "tst_transfernotice.moc"
