// Connecting the sensor window to a simulated master: the frames of the probe
// and the identification sequence in both directions, the questions and
// their cancel paths, refusals, the port list, the link check, automatic
// connection, going Offline, and the connection notice that completes it.

#include "k4ktest.h"
#include "scriptedchannel.h"
#include "sensorwindowprobe.h"

#include "comm/masterframes.h"
#include "comm/pause.h"
#include "persistence/dialoglayer.h"

#include <extensionsystem/globals.h>
#include <qtproperty.h>
#include <simulator/simulatedchannel.h>
#include <utils/connectionstatus.h>
#include <utils/thresholdwindowwidgetgeneric.h>
#include <utils/thresholdwindowwidgetuniversal.h>

#include <QComboBox>
#include <QProgressBar>
#include <QStatusBar>
#include <QToolBar>
#include <utils/genericchart.h>

#include <QtTest>

#include <memory>

using namespace K4KTest;
using namespace DirazSensorPlugin::Core;

namespace {

const char kRefusalTitle[] = "Connecting to sensor...";
const char kRefusalText[] =
    "The connected sensor does not match currently selected sensor, please try again with the proper sensor";

// The simulated sensor reports a product name of this catalogue model.
void pickModel(IoLinkSim::SimulatedChannel &channel, const QString &id)
{
    const auto &variants = channel.model().variants();
    for (std::size_t i = 0; i < variants.size(); ++i)
        if (QString::fromStdString(variants[i].modelId) == id)
            channel.model().selectVariant(i);
}

std::vector<std::string> identification()
{
    return {octets({0x03, 0x51, 0x12, 0x01}), octets({0x04, 0x73, 0x11, 0x09, 0x03}), octets({0x02, 0x70, 0x22}),
            octets({0x03, 0x70, 0x21, 0x03}), octets({0x05, 0x57, 0x26, 0x12, 0x00, 0x00}), octets({0x02, 0x70, 0x22}),
            octets({0x02, 0x70, 0x22}), octets({0x02, 0x73, 0x27})};
}

// One probe, then `times` identification exchanges.
QStringList connectionFrames(int times)
{
    QStringList out{hex(identification().front())};
    for (int i = 0; i < times; ++i)
        out << hex(identification());
    return out;
}

std::vector<std::string> recorded(const IoLinkSim::SimulatedChannel &channel)
{
    std::vector<std::string> out;
    for (const auto &record : channel.records())
        out.push_back(record.command);
    return out;
}

QList<DialogLayer::Kind> kinds(const QList<DialogLayer::Shown> &shown)
{
    QList<DialogLayer::Kind> out;
    for (const DialogLayer::Shown &s : shown)
        out << s.kind;
    return out;
}

// The window with a channel lent the way the interface object lends it: a
// port name registers the channel, an empty name releases it.
struct Rig
{
    explicit Rig(const QString &modelId = QStringLiteral("K4KR"), const std::string &description = shippedDescription())
        : model(catalogueModel(modelId))
    {
        pickModel(sim, modelId);
        ExtensionSystem::PortSettings settings;
        settings.portName = QStringLiteral("/dev/simA");
        settings.baudrate = 9600;
        sim.setPortSettings(settings);
        window = std::make_unique<SensorWindowProbe>(&model, description);
        QObject::connect(window.get(), &SensorWindow::vComPortSelected, window.get(), [this](QString port) {
            announced << port;
            window->setSerialChannel(port.isEmpty() ? nullptr : lent);
        });
        window->updateComPortList({QStringLiteral("/dev/ttyS0"), QStringLiteral("/dev/simA")});
    }
    ~Rig() { window.reset(); }

    SensorWindowPrivate &d() { return window->p(); }
    QComboBox *selector() { return window->p().portSelector; }

    // The user picks selector entry `index` and answers the questions.
    void choose(int index, const QList<int> &answers)
    {
        for (int answer : answers)
            DialogLayer::enqueueAnswer(answer);
        selector()->setCurrentIndex(index);
        window->actionConnectSensor(index);
    }

    // The notice ticks through zero-length timers; a real event loop runs
    // them back to back where qWaitFor would sleep between rounds.
    bool waitForNoticeEnd()
    {
        QEventLoop loop;
        QTimer check;
        QObject::connect(&check, &QTimer::timeout, &loop, [&] {
            if (!d().progressDialog->isVisible())
                loop.quit();
        });
        check.start(1);
        QTimer::singleShot(30000, &loop, &QEventLoop::quit);
        loop.exec();
        return !d().progressDialog->isVisible();
    }

    // Connected from sensor to PC, notice over, polling stopped, records cleared.
    bool connectAndSettle()
    {
        choose(3, {1});
        const bool ok = window->connected && waitForNoticeEnd();
        d().chartTimer.stop();
        sim.clearRecords();
        announced.clear();
        DialogLayer::reset();
        return ok;
    }

    ExtensionSystem::SensorBasic model;
    IoLinkSim::SimulatedChannel sim;
    ScriptedChannel scripted;
    ExtensionSystem::CommunicationInterface *lent = &sim;
    QStringList announced;
    std::unique_ptr<SensorWindowProbe> window;
};

// Connected through selector entry `index` after one identification.
void verifyConnected(Rig &rig, int index)
{
    SensorWindowProbe &w = *rig.window;
    const QStringList expected = connectionFrames(1);
    QCOMPARE(hex(recorded(rig.sim), expected.size()), expected);
    QCOMPARE(rig.sim.portSettings().baudrate, 38400);
    QCOMPARE(rig.announced, QStringList({QString(), QStringLiteral("/dev/simA")}));
    const QString title = QString::fromStdString(rig.model.name()) + QStringLiteral(" (/dev/simA)");
    QVERIFY(w.connected);
    QVERIFY(rig.d().connectionReady);
    QCOMPARE(w.windowTitle(), title);
    QCOMPARE(w.ui->statusBar->currentMessage(), title);
    QVERIFY(w.ui->sensorOperationsToolbar->isEnabled());
    QCOMPARE(rig.selector()->currentIndex(), index);
    QVERIFY(rig.d().connectionStatus->isConnected());
    QVERIFY(rig.d().chart->isEnabled()); // live, its markers draggable
    QVERIFY(!w.ui->actionOpen_Settings->isEnabled());
}

// After an automatic attempt the title still names the port it tried.
void verifyOffline(Rig &rig, bool titleOffline = true)
{
    SensorWindowProbe &w = *rig.window;
    QVERIFY(!w.connected);
    QVERIFY(!rig.d().connectionReady);
    QCOMPARE(rig.selector()->currentIndex(), 0);
    QVERIFY(!w.serialChannel());
    QCOMPARE(rig.announced.last(), QString());
    if (titleOffline)
        QCOMPARE(w.windowTitle(), QString::fromStdString(rig.model.name()) + QStringLiteral(" (Offline)"));
    QVERIFY(!w.ui->sensorOperationsToolbar->isEnabled());
    QVERIFY(!rig.d().connectionStatus->isConnected());
    QVERIFY(!rig.d().chart->isEnabled());
    QVERIFY(!w.ui->actionEnable_live_data->isChecked());
    QVERIFY(w.ui->actionOpen_Settings->isEnabled());
    QVERIFY(!rig.d().progressDialog->isVisible());
}

} // namespace

class ConnectionTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { prepareWindowTests(); }
    void init() { DialogLayer::reset(); }

    void connectsInBothDirections_data()
    {
        QTest::addColumn<QString>("modelId");
        QTest::addColumn<int>("choice");
        QTest::addColumn<int>("ticks");
        QTest::addColumn<bool>("markerReadOnly");

        // The marker takes the opposite of the catalogue's thresholdsreadonly.
        QTest::newRow("sensor to PC") << "K4KR" << 1 << 600 << true;
        QTest::newRow("PC to sensor") << "K4KX" << 2 << 990 << false;
    }

    void connectsInBothDirections()
    {
        QFETCH(QString, modelId);
        QFETCH(int, choice);
        const bool pcToSensor = choice == 2;

        Rig rig(modelId);
        SensorWindowProbe &w = *rig.window;
        auto &d = rig.d();
        rig.choose(3, pcToSensor ? QList<int>{choice, QMessageBox::Ok} : QList<int>{choice});

        const QList<DialogLayer::Shown> shown = DialogLayer::takeShown();
        QCOMPARE(shown.size(), pcToSensor ? 2 : 1);
        QCOMPARE(shown[0].kind, DialogLayer::Kind::ConnectionSwitch);
        if (pcToSensor) {
            QCOMPARE(shown[1].kind, DialogLayer::Kind::Information);
            QCOMPARE(shown[1].title, QStringLiteral("nDorix"));
            QCOMPARE(shown[1].text, QStringLiteral("Sensor settings will be overwritten with the ones from PC"));
            QCOMPARE(shown[1].buttons, QMessageBox::Ok | QMessageBox::Cancel);
        }

        verifyConnected(rig, 3);
        QCOMPARE(w.pcToSensorChosen, pcToSensor);
        QCOMPARE(d.connectedProductName, QString::fromStdString(rig.sim.model().productName()));
        QVERIFY(w.ui->actionEnable_live_data->isChecked());
        QVERIFY(d.liveData);
        QTEST(d.thresholdMarkers.first()->isReadOnly(), "markerReadOnly");
        QVERIFY(!d.universalThreshold->isReadOnly());
        QCOMPARE(d.afterConnect, !pcToSensor);
        QVERIFY(d.progressDialog->isVisible());
        QTEST(d.progressBar->maximum(), "ticks");
        QVERIFY(!w.ui->chartToolbar->isEnabled());

        // Polling starts at once towards the sensor, at the notice's end the
        // other way.
        QSignalSpy polls(&d.chartTimer, &QTimer::timeout);
        QVERIFY(rig.waitForNoticeEnd());
        QVERIFY(polls.count() > 0 || polls.wait(5000));
        QVERIFY(!d.afterConnect);
        QVERIFY(d.showProgress);
        if (!pcToSensor)
            QVERIFY(w.ui->chartToolbar->isEnabled());
        QVERIFY(DialogLayer::shown().isEmpty());
    }

    void selectorChoice_data()
    {
        QTest::addColumn<bool>("connectedBefore");
        QTest::addColumn<int>("index");
        QTest::addColumn<QList<int>>("answers");
        QTest::addColumn<int>("dialogs"); // the switch dialog, then the overwrite question
        QTest::addColumn<bool>("connectedAfter");

        const int ok = QMessageBox::Ok;
        const int cancel = QMessageBox::Cancel;
        QTest::newRow("switch dialog cancelled, offline before") << false << 2 << QList<int>{0} << 1 << false;
        QTest::newRow("switch dialog cancelled, connected before") << true << 2 << QList<int>{0} << 1 << true;
        QTest::newRow("overwrite question cancelled") << false << 3 << QList<int>{2, cancel} << 2 << false;
        QTest::newRow("same port again reconnects") << true << 3 << QList<int>{2, ok} << 2 << true;
        QTest::newRow("offline disconnects") << true << 0 << QList<int>{} << 0 << false;
    }

    void selectorChoice()
    {
        QFETCH(bool, connectedBefore);
        QFETCH(int, index);
        QFETCH(QList<int>, answers);
        QFETCH(int, dialogs);
        QFETCH(bool, connectedAfter);

        Rig rig;
        if (connectedBefore)
            QVERIFY(rig.connectAndSettle());
        rig.choose(index, answers);

        const QList<DialogLayer::Kind> all{DialogLayer::Kind::ConnectionSwitch, DialogLayer::Kind::Information};
        QCOMPARE(kinds(DialogLayer::takeShown()), all.mid(0, dialogs));
        QCOMPARE(rig.window->connected, connectedAfter);
        const bool reconnects = connectedAfter && answers.size() == 2;
        QCOMPARE(rig.window->pcToSensorChosen, reconnects);
        if (index == 0)
            return verifyOffline(rig);
        if (reconnects)
            return verifyConnected(rig, 3);
        // A cancelled choice sends nothing and puts the selector back.
        const int before = connectedBefore ? 3 : 0;
        QCOMPARE(rig.selector()->currentIndex(), before);
        QCOMPARE(rig.d().lastPortIndex, before);
        QVERIFY(rig.sim.records().empty());
        QVERIFY(rig.announced.isEmpty());
        QCOMPARE(rig.window->serialChannel() != nullptr, connectedBefore);
        QVERIFY(!rig.d().progressDialog->isVisible());
    }

    void identificationOutcome_data()
    {
        QTest::addColumn<QString>("productName"); // empty: the sensor's own
        QTest::addColumn<bool>("silent");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<int>("identifications");
        QTest::addColumn<QString>("reason"); // the refusal's second line, up to the port

        QTest::newRow("own product name") << QString() << false << true << 1 << QString();
        QTest::newRow("8 characters") << "K4KR4M1X" << false << true << 1 << QString();
        QTest::newRow("9 characters") << "K4KR4M1XY" << false << false << 1 << "the sensor answers as K4KR4M1XY";
        QTest::newRow("another kind") << "Q7KR4M1" << false << false << 10 << "the sensor answers as Q7KR4M1";
        QTest::newRow("only two characters") << "K4" << false << false << 10 << "the sensor answers as K4";
        QTest::newRow("silent device") << QString() << true << false << 0 << "no answer from the master on /";
    }

    void identificationOutcome()
    {
        QFETCH(QString, productName);
        QFETCH(bool, silent);
        QFETCH(bool, accepted);
        QFETCH(int, identifications);
        QFETCH(QString, reason);

        Rig rig;
        rig.sim.model().setProductNameOverride(productName.toStdString());
        if (silent) {
            rig.lent = &rig.scripted;
            // The port falls back to another rate after every attempt; each
            // attempt must set the default again.
            rig.scripted.responder = [&](const std::string &) {
                ExtensionSystem::PortSettings settings = rig.scripted.portSettings();
                settings.baudrate = 9600;
                rig.scripted.setPortSettings(settings);
                return ScriptedChannel::Reply{};
            };
        }
        rig.choose(3, {1});

        if (silent) {
            QCOMPARE(hex(rig.scripted.commands()), QVector<QString>(5, connectionFrames(0).first()).toList());
            for (const ScriptedChannel::Sent &sent : rig.scripted.sent) {
                QCOMPARE(sent.timeoutMs, 1000.0);
                QCOMPARE(sent.baudrate, 38400);
            }
        } else {
            const QStringList expected = connectionFrames(identifications);
            QCOMPARE(hex(recorded(rig.sim), expected.size()), expected);
        }

        const QList<DialogLayer::Shown> shown = DialogLayer::takeShown();
        if (accepted) {
            QVERIFY(rig.window->connected);
            QCOMPARE(rig.d().connectedProductName, productName.isEmpty()
                                                       ? QString::fromStdString(rig.sim.model().productName())
                                                       : productName);
            QCOMPARE(kinds(shown), QList<DialogLayer::Kind>({DialogLayer::Kind::ConnectionSwitch}));
            return;
        }
        QCOMPARE(kinds(shown), QList<DialogLayer::Kind>({DialogLayer::Kind::ConnectionSwitch, DialogLayer::Kind::Warning}));
        QCOMPARE(shown[1].title, QString::fromLatin1(kRefusalTitle));
        QVERIFY2(shown[1].text.startsWith(QString::fromLatin1(kRefusalText) + QLatin1Char('\n') + reason),
                 qPrintable(shown[1].text));
        QCOMPARE(shown[1].buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        if (!silent && productName.size() >= 3)
            QCOMPARE(rig.d().connectedProductName, productName);
        verifyOffline(rig);
    }

    void anyNonZeroStatusIsAnAnswer_data()
    {
        QTest::addColumn<int>("status");
        QTest::newRow("status 1") << 1;
        QTest::newRow("status 2") << 2;
        QTest::newRow("status -1") << -1;
    }

    // A master that answers every step with `status`, from a catalogue entry
    // whose delays are not zero: the product name's fetch waits for them.
    void anyNonZeroStatusIsAnAnswer()
    {
        QFETCH(int, status);
        DescriptionFile description(shippedDescriptionWith({{"<characterdelay>0<", "<characterdelay>7<"},
                                                            {"<linedelay>10<", "<linedelay>25<"}}));
        Rig rig(QStringLiteral("K4KR"), description.path());
        QCOMPARE(rig.window->sensor().characterDelay(), 7);
        rig.lent = &rig.scripted;
        rig.scripted.responder = [status](const std::string &command) {
            const std::string answer = command == octets({0x02, 0x73, 0x27}) ? std::string("\x09\x5a\x27K4KR4M1")
                                                                              : octets({0x03, 0x5a, 0x12, 0x01});
            return ScriptedChannel::Reply{status, answer};
        };
        rig.choose(3, {1});

        QVERIFY(rig.window->connected);
        QCOMPARE(rig.d().connectedProductName, QStringLiteral("K4KR4M1"));
        const std::vector<ScriptedChannel::Sent> &sent = rig.scripted.sent;
        QVERIFY(sent.size() >= identification().size() + 1);
        QCOMPARE(hex(rig.scripted.commands(), int(identification().size()) + 1), connectionFrames(1));
        // 3 command octets at 7 ms, the line's 25 ms, and 2000 ms of margin.
        QCOMPARE(sent[identification().size()].timeoutMs, 3 * 7 + 25 + 2000.0);
        QCOMPARE(sent[1].timeoutMs, 2000.0);
    }

    void portListKeepsOnlyAnExactMatch_data()
    {
        QTest::addColumn<int>("selectedBefore");
        QTest::addColumn<QStringList>("ports");
        QTest::addColumn<int>("selectedAfter");

        QTest::newRow("port moved") << 3 << QStringList{"/dev/simA", "/dev/ttyUSB0"} << 2;
        QTest::newRow("port gone") << 3 << QStringList{"/dev/ttyS0", "/dev/ttyUSB0"} << -1;
        QTest::newRow("case differs") << 3 << QStringList{"/dev/SIMA"} << -1;
        QTest::newRow("empty list") << 2 << QStringList() << -1;
        QTest::newRow("offline stays") << 0 << QStringList{"/dev/ttyUSB0"} << 0;
    }

    void portListKeepsOnlyAnExactMatch()
    {
        QFETCH(int, selectedBefore);
        QFETCH(QStringList, ports);

        Rig rig;
        rig.selector()->setCurrentIndex(selectedBefore);
        rig.window->updateComPortList(ports);

        QComboBox *selector = rig.selector();
        QCOMPARE(selector->count(), 2 + ports.size());
        QCOMPARE(selector->itemText(0), QStringLiteral("Offline"));
        QCOMPARE(selector->itemData(1, Qt::AccessibleDescriptionRole).toString(), QStringLiteral("separator"));
        for (int i = 0; i < ports.size(); ++i)
            QCOMPARE(selector->itemText(2 + i), ports[i]);
        QTEST(selector->currentIndex(), "selectedAfter");
        QVERIFY(rig.announced.isEmpty());
    }

    void linkCheckWantsFourOctets_data()
    {
        QTest::addColumn<int>("status");
        QTest::addColumn<int>("length");
        QTest::addColumn<bool>("linked");

        QTest::newRow("4 octets") << 1 << 4 << true;
        QTest::newRow("5 octets") << 1 << 5 << false;
        QTest::newRow("3 octets") << 1 << 3 << false;
        QTest::newRow("no answer") << 0 << 0 << false;
        QTest::newRow("4 octets too late") << 0 << 4 << false;
    }

    void linkCheckWantsFourOctets()
    {
        QFETCH(int, status);
        QFETCH(int, length);

        Rig rig;
        rig.scripted.responder = [&](const std::string &) {
            return ScriptedChannel::Reply{status, std::string(std::size_t(length), '\x01')};
        };
        rig.window->setSerialChannel(&rig.scripted);
        QTEST(rig.window->bCheckConnection(), "linked");
        QCOMPARE(hex(rig.scripted.commands()), connectionFrames(0));
        QCOMPARE(rig.scripted.sent.front().expectedAnswer, std::string());
        rig.window->setSerialChannel(nullptr);
        QVERIFY(!rig.window->bCheckConnection());
    }

    // The host's automatic connection; a refused one ends as a manual one does
    // (identificationOutcome).
    void autoConnect()
    {
        Rig rig;
        SensorWindowProbe &w = *rig.window;
        auto &d = rig.d();
        // The host may list a port twice; the last entry is taken.
        w.updateComPortList({QStringLiteral("/dev/simA"), QStringLiteral("/dev/ttyS0"), QStringLiteral("/dev/simA")});
        w.vAutoConnect(QStringLiteral("/dev/simA"));

        QVERIFY(DialogLayer::takeShown().isEmpty());
        verifyConnected(rig, 4);
        QVERIFY(d.afterConnect);
        QVERIFY(!w.ui->actionEnable_live_data->isChecked());

        // Live data comes on with the notice's end.
        QSignalSpy polls(&d.chartTimer, &QTimer::timeout);
        QVERIFY(rig.waitForNoticeEnd());
        QVERIFY(w.ui->actionEnable_live_data->isChecked());
        QVERIFY(d.liveData);
        QVERIFY(w.ui->chartToolbar->isEnabled());
        QVERIFY(polls.count() > 0 || polls.wait(5000));
    }

    void noticeCountsAndCloses()
    {
        Rig rig;
        auto &d = rig.d();
        d.noticeTicks = 5;
        rig.window->vShowProgress(true);
        QVERIFY(d.progressDialog->isVisible());
        QCOMPARE(d.progressBar->maximum(), 5);
        QVERIFY(!d.showProgress);
        QVERIFY(rig.waitForNoticeEnd());
        QCOMPARE(d.progressBar->value(), 5);
        QCOMPARE(d.noticeTicks, 800);
        QVERIFY(d.showProgress);

        // Closed early: hidden at once and no further ticks.
        d.noticeTicks = 100000;
        rig.window->vShowProgress(true);
        rig.window->vShowProgress(false);
        QVERIFY(!d.progressDialog->isVisible());
        QCOMPARE(d.noticeTicks, 800);
        QVERIFY(d.showProgress);
        const int value = d.progressBar->value();
        QTest::qWait(20);
        QCOMPARE(d.progressBar->value(), value);
    }

    void noticeWaitsForBlockingSends()
    {
        Rig rig;
        auto &d = rig.d();
        rig.scripted.finishAfterMs = 30;
        rig.scripted.responder = [](const std::string &) { return ScriptedChannel::Reply{1, octets({0x02, 0x5A, 0x22})}; };
        rig.window->setSerialChannel(&rig.scripted);
        d.noticeTicks = 3;
        rig.window->vShowProgress(true);
        for (int i = 0; i < 3; ++i)
            QVERIFY(rig.window->bSendCommand(octets({0x02, 0x70, 0x22}), false));
        // Each send ran an event loop long enough for every tick, yet the
        // notice did not end.
        QVERIFY(d.progressDialog->isVisible());
        QVERIFY(rig.waitForNoticeEnd());
        QCOMPARE(d.progressBar->value(), 3);
    }

    void noticeEndCompletesConnection_data()
    {
        QTest::addColumn<bool>("afterConnect");
        QTest::addColumn<bool>("autoConnecting");
        QTest::addColumn<bool>("liveChecked");
        QTest::addColumn<bool>("isConnected");
        QTest::addColumn<bool>("withChannel");
        QTest::addColumn<bool>("liveAfter");
        QTest::addColumn<bool>("polling");
        QTest::addColumn<bool>("chartToolbar");

        QTest::newRow("nothing pending") << false << false << false << true << true << false << false << false;
        QTest::newRow("live data left off") << true << false << false << true << true << false << true << true;
        QTest::newRow("live data on") << true << false << true << true << true << true << true << true;
        QTest::newRow("automatic turns live data on") << true << true << false << true << true << true << true << true;
        QTest::newRow("not connected") << true << false << true << false << true << true << true << false;
        QTest::newRow("no channel") << true << false << true << true << false << true << false << true;
    }

    void noticeEndCompletesConnection()
    {
        QFETCH(bool, afterConnect);
        QFETCH(bool, autoConnecting);
        QFETCH(bool, liveChecked);
        QFETCH(bool, isConnected);
        QFETCH(bool, withChannel);
        QFETCH(bool, liveAfter);
        QFETCH(bool, chartToolbar);

        Rig rig;
        SensorWindowProbe &w = *rig.window;
        auto &d = rig.d();
        rig.selector()->setCurrentIndex(3);
        d.lastPortIndex = 2;
        d.afterConnect = afterConnect;
        d.autoConnecting = autoConnecting;
        d.liveData = !liveAfter;
        w.ui->actionEnable_live_data->setChecked(liveChecked);
        w.connected = isConnected;
        if (withChannel)
            w.setSerialChannel(&rig.scripted);
        QSignalSpy polls(&d.chartTimer, &QTimer::timeout);

        d.noticeTicks = 2;
        w.vShowProgress(true);
        QVERIFY(rig.waitForNoticeEnd());
        QTEST(d.chartTimer.isActive() || !polls.isEmpty(), "polling");
        QCOMPARE(w.ui->actionEnable_live_data->isChecked(), liveAfter);
        if (afterConnect)
            QCOMPARE(d.liveData, liveAfter);
        QCOMPARE(d.lastPortIndex, afterConnect ? 3 : 2);
        QCOMPARE(w.ui->chartToolbar->isEnabled(), chartToolbar);
        QVERIFY(!d.afterConnect);
        d.chartTimer.stop();
        w.setSerialChannel(nullptr);
    }
};

QTEST_MAIN(ConnectionTest)
#include "tst_connection.moc"
