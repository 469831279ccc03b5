// Polling of a connected window against the simulated master: frames on the
// wire, what reaches the charts and rows, tolerated time-outs and the lost
// sensor, stale answers, and the poll mutex.

#include "sensorwindowprobe.h"

#include "catalogue/catalogue.h"
#include "comm/masterframes.h"
#include "comm/pause.h"
#include "persistence/dialoglayer.h"

#include <extensionsystem/globals.h>
#include <simulator/simulatedchannel.h>
#include <utils/genericchart.h>
#include <utils/valueovertime.h>

#include <QComboBox>
#include <QToolBar>
#include <QFont>
#include <QTreeWidgetItem>
#include <QtTest>

#include <memory>

using namespace K4KTest;
using namespace DirazSensorPlugin::Core;

namespace {

constexpr int LongWaitMs = 30000;

std::string shippedDescription()
{
    return (QCoreApplication::applicationDirPath() + "/IoLinkK4Kv7family.xml").toStdString();
}

ExtensionSystem::SensorBasic firstModel()
{
    const auto models = catalogueList(shippedDescription());
    return models.empty() ? ExtensionSystem::SensorBasic() : models.front();
}

QString hex(const std::string &octets)
{
    return QString::fromLatin1(QByteArray(octets.data(), int(octets.size())).toHex(' '));
}

quint32 bigEndian(const std::string &octets, std::size_t at)
{
    quint32 v = 0;
    for (std::size_t i = 0; i < 4; ++i)
        v = (v << 8) | quint8(octets.at(at + i));
    return v;
}

// A connected window polling the simulated master. The window goes first so
// that the channel, and the frames it still holds, are gone before it.
struct Rig
{
    ExtensionSystem::SensorBasic model = firstModel();
    SensorWindowProbe w{&model, shippedDescription()};
    IoLinkSim::SimulatedChannel channel;

    Rig()
    {
        auto &d = w.p();
        d.showProgress = false;
        d.liveData = true;
        d.pollingAllowed = true;
        d.measurementUnit = 0;
        channel.model().setNumber("MesurementUnit", 0);
        w.connected = true;
        w.setSerialChannel(&channel);
    }
    ~Rig() { w.setSerialChannel(nullptr); }

    // The host's answer to the window asking for the port: an empty name
    // takes the channel back.
    void releaseChannelLikeTheHost()
    {
        QObject::connect(&w, &SensorWindow::vComPortSelected, &w, [this](const QString &port) {
            if (port.isEmpty())
                w.setSerialChannel(nullptr);
        });
    }

    // Lets the timer poll until `frames` entries have finished, then lets
    // the last answer be handled with no further poll started.
    bool pollFrames(std::size_t frames)
    {
        auto &d = w.p();
        w.enableStatusChecking(true);
        if (!QTest::qWaitFor([&] { return channel.records().size() >= frames; }, LongWaitMs))
            return false;
        d.pollingAllowed = false;
        return QTest::qWaitFor([&] { return d.pendingRequestId == 0; }, LongWaitMs);
    }

    // Distances the chart's distance plot holds, a repeated sample shown once.
    QList<double> distanceSamples()
    {
        QList<double> values;
        const Utils::Charts::ValueOverTime *data = w.p().chart->getData(3);
        for (int i = 0; i < data->size(); ++i)
            if (values.isEmpty() || values.last() != data->y(i))
                values << data->y(i);
        return values;
    }
};

} // namespace

class PollingTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        ExtensionSystem::Globals::setLanguage("en");
        setPauseScale(0.0);
        DialogLayer::setTestMode(true);
    }
    void init() { DialogLayer::reset(); }

    void cyclesReachTheDecoderExceptAtCounterTwo();
    void objectInformationIsReadAndFetched();
    void oneAnswerOwedStartsNoSecondPoll();
    void staleRequestIdChangesNothing();
    void timeoutsAreToleratedTwice_data();
    void timeoutsAreToleratedTwice();
    void pollingStopsWhenTheChannelGoes();
    void aNewChannelIsPolledWhileTheOldOneStillOwesAnAnswer();
    void pollMutexIsNotReenteredFromTheWarning();
};

void PollingTest::cyclesReachTheDecoderExceptAtCounterTwo()
{
    Rig rig;
    auto &d = rig.w.p();
    // An object moving away by 2 mm with every frame: every answer differs.
    rig.channel.model().motion().setScript({{0, 1000.0}, {10000000, 1001000.0}});
    rig.channel.setClockStepPerFrame(20);
    QVERIFY(rig.pollFrames(40));

    const auto &records = rig.channel.records();
    QList<double> expected;
    for (std::size_t i = 0; i < records.size(); ++i) {
        QCOMPARE(hex(records[i].command), hex(cycleFrame()));
        QCOMPARE(records[i].status, 1);
        QCOMPARE(int(records[i].answer.size()), CycleAnswerLength);
        // The sequence starts at counter 0, so poll 15 of every 17 is the
        // one sent at counter 2.
        if (i % 17 != 15)
            expected << double(bigEndian(records[i].answer, 4));
    }
    QCOMPARE(rig.distanceSamples(), expected);
    QCOMPARE(d.stateRows[0]->text(2), QString::number(expected.last()));
    QCOMPARE(d.stateRows[0]->text(3), QStringLiteral(" mm"));
    QVERIFY(rig.w.ui->chartToolbar->isEnabled());
    QCOMPARE(d.pendingFrames.size(), std::size_t(0));
}

void PollingTest::objectInformationIsReadAndFetched()
{
    Rig rig;
    auto &d = rig.w.p();
    d.objectInfoMode = 1;
    rig.channel.model().motion().setFixed(1500.0);
    QVERIFY(rig.pollFrames(27));

    const auto &records = rig.channel.records();
    for (std::size_t i = 0; i < records.size(); ++i) {
        const std::size_t at = i % 17;
        const std::string expected = at == 5 ? objectInfoReadFrame() : at == 9 ? fetchResultFrame() : cycleFrame();
        QCOMPARE(hex(records[i].command), hex(expected));
    }
    const std::string &block = records[26].answer;
    QCOMPARE(int(block.size()), ObjectInfoAnswerLength);
    const int echo = quint8(block[27]);
    QVERIFY(echo > 0);

    // The device sees the object at 1500 mm and its echo at twice that.
    const QStringList distances{"1500.0 mm", "3000.0 mm", "0.0 mm", "0.0 mm"};
    for (int k = 0; k < 4; ++k)
        QCOMPARE(d.stateRows[16 + 2 * k]->text(3), distances[k]);
    QCOMPARE(d.stateRows[17]->text(3), QString::number(echo));
    QCOMPARE(d.stateRows[19]->text(3), QString::number(quint8(block[31])));
    QCOMPARE(d.stateRows[21]->text(3), QStringLiteral("0"));
    QVERIFY(d.stateRows[16]->font(0).bold());
    QVERIFY(!d.stateRows[18]->font(0).bold());
    QCOMPARE(d.chart->xLinePosition(1, 0), 1500.0);
    QCOMPARE(d.chart->xLinePosition(1, 1), 3000.0);
    QCOMPARE(d.chart->xLineColor(1, 0), QColor(0, 97, 158));
    // The process data went on alongside.
    QCOMPARE(d.stateRows[0]->text(2), QStringLiteral("1500"));
}

void PollingTest::oneAnswerOwedStartsNoSecondPoll()
{
    Rig rig;
    auto &d = rig.w.p();
    d.pollingAllowed = false; // only the calls below start polls
    rig.w.queryStatusData();
    const unsigned int first = d.pendingRequestId;
    QVERIFY(first != 0);
    rig.w.queryStatusData();
    rig.w.enableStatusChecking(true);
    QCOMPARE(d.pendingRequestId, first);
    QCOMPARE(d.pollCounter, 16);
    QTRY_COMPARE_WITH_TIMEOUT(d.pendingRequestId, 0u, LongWaitMs);
    QCOMPARE(rig.channel.records().size(), std::size_t(1));
    QVERIFY(d.chartTimer.isActive()); // the answer schedules the next poll
}

void PollingTest::staleRequestIdChangesNothing()
{
    Rig rig;
    auto &d = rig.w.p();
    rig.channel.model().motion().setScript({{0, 1000.0}, {10000000, 1001000.0}});
    rig.channel.setClockStepPerFrame(50);
    d.pollingAllowed = false;
    rig.w.queryStatusData();
    const unsigned int old = d.pendingRequestId;
    QTRY_COMPARE_WITH_TIMEOUT(d.pendingRequestId, 0u, LongWaitMs);
    const QString shown = d.stateRows[0]->text(2);
    const int samples = d.chart->getData(3)->size();
    QVERIFY(samples > 0);

    rig.w.queryStatusData();
    const unsigned int current = d.pendingRequestId;
    QVERIFY(current != old);
    for (unsigned int stale : {old, current + 7}) {
        emit rig.channel.emitFinished(stale);
        QCOMPARE(d.pendingRequestId, current);
        QCOMPARE(d.pendingFrames.size(), std::size_t(1));
        QCOMPARE(d.pendingFrames.count(current), std::size_t(1));
        QCOMPARE(d.pollCounter, 15);
        QCOMPARE(d.noAnswerCredit, 2);
        QCOMPARE(d.stateRows[0]->text(2), shown);
        QCOMPARE(d.chart->getData(3)->size(), samples);
    }

    // The real answer is still taken.
    QTRY_COMPARE_WITH_TIMEOUT(d.pendingRequestId, 0u, LongWaitMs);
    QVERIFY(d.stateRows[0]->text(2) != shown);
    QVERIFY(d.pendingFrames.empty());
}

void PollingTest::timeoutsAreToleratedTwice_data()
{
    QTest::addColumn<int>("silentAfter");
    QTest::addColumn<int>("dropEvery");
    QTest::addColumn<int>("framesAtWarning");
    QTest::newRow("silent from the fourth frame") << 3 << 0 << 6;
    QTest::newRow("every fourth frame dropped") << 0 << 4 << 12;
}

void PollingTest::timeoutsAreToleratedTwice()
{
    QFETCH(int, silentAfter);
    QFETCH(int, dropEvery);
    QFETCH(int, framesAtWarning);
    Rig rig;
    auto &d = rig.w.p();
    rig.releaseChannelLikeTheHost();
    d.portSelector->addItem(QStringLiteral("/dev/simulated"));
    d.portSelector->setCurrentIndex(2);
    d.lastPortIndex = 2;
    IoLinkSim::FaultSettings faults;
    faults.silentAfter = silentAfter;
    faults.dropEvery = dropEvery;
    rig.channel.master().setFaults(faults);

    std::vector<IoLinkSim::SimulatedChannel::Record> atWarning;
    int selectorAtWarning = -1;
    DialogLayer::setAnswerer([&](const DialogLayer::Shown &) {
        atWarning = rig.channel.records();
        selectorAtWarning = d.portSelector->currentIndex();
        return int(QMessageBox::Ok);
    });
    rig.w.enableStatusChecking(true);
    QTRY_VERIFY_WITH_TIMEOUT(!DialogLayer::shown().isEmpty(), LongWaitMs);
    QTRY_COMPARE_WITH_TIMEOUT(d.pendingRequestId, 0u, LongWaitMs);

    const QList<DialogLayer::Shown> shown = DialogLayer::shown();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown[0].kind, DialogLayer::Kind::Warning);
    QCOMPARE(shown[0].title, QStringLiteral("Connecting to sensor"));
    QCOMPARE(shown[0].text, QStringLiteral("The sensor did not respond, please make sure it is properly connected."));
    QCOMPARE(shown[0].buttons, QMessageBox::StandardButtons(QMessageBox::Ok));

    // Two time-outs passed silently; the third, however many answers came
    // between, lost the sensor.
    QCOMPARE(int(atWarning.size()), framesAtWarning);
    int unanswered = 0;
    for (const auto &record : atWarning) {
        QCOMPARE(hex(record.command), hex(cycleFrame()));
        unanswered += record.status == 0 ? 1 : 0;
    }
    QCOMPARE(unanswered, 3);
    QCOMPARE(atWarning.back().status, 0);
    QCOMPARE(selectorAtWarning, 0);

    QCOMPARE(d.portSelector->currentIndex(), 0);
    QCOMPARE(d.lastPortIndex, 0);
    QVERIFY(!rig.w.connected);
    QCOMPARE(rig.w.serialChannel(), nullptr);
    QVERIFY(!d.chartTimer.isActive());
    QVERIFY(d.pendingFrames.empty());
    // The connection check found no channel: one credit is used up again.
    QCOMPARE(d.noAnswerCredit, 1);
}

void PollingTest::pollingStopsWhenTheChannelGoes()
{
    Rig rig;
    auto &d = rig.w.p();
    rig.w.queryStatusData();
    QVERIFY(d.pendingRequestId != 0);
    rig.w.setSerialChannel(nullptr);
    QTRY_COMPARE_WITH_TIMEOUT(d.pendingRequestId, 0u, LongWaitMs);
    QVERIFY(d.pendingFrames.empty());
    QVERIFY(!d.chartTimer.isActive());

    // Without a channel nothing is sent and nothing scheduled.
    rig.w.queryChartData();
    rig.w.enableStatusChecking(true);
    QCOMPARE(d.pendingRequestId, 0u);
    QVERIFY(!d.chartTimer.isActive());
    QCOMPARE(rig.channel.records().size(), std::size_t(1));
}

void PollingTest::aNewChannelIsPolledWhileTheOldOneStillOwesAnAnswer()
{
    Rig rig;
    auto &d = rig.w.p();
    d.pollingAllowed = false;
    rig.channel.model().motion().setFixed(1200.0);
    rig.w.queryStatusData();
    QVERIFY(d.pendingRequestId != 0);

    // The host hands over another channel before the first one answered;
    // both number their requests from 1.
    IoLinkSim::SimulatedChannel other;
    other.model().setNumber("MesurementUnit", 0);
    other.model().motion().setFixed(2400.0);
    rig.w.setSerialChannel(&other);
    rig.w.queryStatusData();
    QCOMPARE(d.pendingRequestId, 1u);
    QTRY_COMPARE_WITH_TIMEOUT(d.pendingRequestId, 0u, LongWaitMs);
    QTRY_COMPARE_WITH_TIMEOUT(rig.channel.records().size(), std::size_t(1), LongWaitMs);
    QCOMPARE(other.records().size(), std::size_t(1));
    // Only the new channel's answer was shown.
    QCOMPARE(d.stateRows[0]->text(2), QStringLiteral("2400"));
    QCOMPARE(d.chart->getData(3)->size(), 1);
    QVERIFY(d.pendingFrames.empty());
    QCOMPARE(d.abandonedFrames.size(), std::size_t(1));
    // The old channel filled the frame it was given, not the new poll's.
    QCOMPARE(int(d.abandonedFrames.front()->front().answer.size()), CycleAnswerLength);
}

void PollingTest::pollMutexIsNotReenteredFromTheWarning()
{
    Rig rig;
    auto &d = rig.w.p();
    d.noAnswerCredit = 0;
    rig.channel.model().unplug();

    bool mutexHeld = false;
    unsigned int idInside = 0;
    std::size_t framesInside = 0;
    DialogLayer::setAnswerer([&](const DialogLayer::Shown &) {
        mutexHeld = !d.pollMutex.tryLock();
        if (!mutexHeld)
            d.pollMutex.unlock();
        idInside = d.pendingRequestId;
        // A timer-started poll and the answer being handled, arriving again
        // while the box is open.
        rig.w.queryChartData();
        rig.w.queryStatusData();
        rig.w.queryStatusData(idInside);
        framesInside = d.pendingFrames.size();
        return int(QMessageBox::Ok);
    });
    rig.w.queryStatusData();
    const unsigned int polled = d.pendingRequestId;
    QTRY_VERIFY_WITH_TIMEOUT(!DialogLayer::shown().isEmpty(), LongWaitMs);
    QTRY_VERIFY_WITH_TIMEOUT(d.pendingFrames.empty(), LongWaitMs);

    QVERIFY(mutexHeld);
    QCOMPARE(idInside, polled);
    QCOMPARE(framesInside, std::size_t(1));
    QCOMPARE(DialogLayer::shown().size(), 1);
    // Only the poll itself and, after the box, the connection probe went out.
    for (const auto &record : rig.channel.records())
        QVERIFY2(record.command != cycleFrame() || &record == &rig.channel.records().front(),
                 qPrintable(hex(record.command)));
    QVERIFY(d.pollMutex.tryLock());
    d.pollMutex.unlock();
}

QTEST_MAIN(PollingTest)
#include "tst_polling.moc"
