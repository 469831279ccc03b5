// Polling of a connected window against the simulated master: frames on the
// wire, what reaches the charts and rows, tolerated time-outs and the lost
// sensor, stale answers, and the poll mutex.

#include "../comm/scriptedchannel.h"
#include "k4ktest.h"
#include "simwindowrig.h"

#include "comm/framekeeper.h"
#include "comm/masterframes.h"
#include "comm/pause.h"
#include "persistence/dialoglayer.h"

#include <extensionsystem/globals.h>
#include <simulator/simulatedchannel.h>
#include <utils/connectionstatus.h>
#include <utils/genericchart.h>
#include <utils/valueovertime.h>

#include <QComboBox>
#include <QToolBar>
#include <QTreeWidgetItem>
#include <QtTest>


Q_DECLARE_METATYPE(IoLinkSim::FaultSettings)

using namespace K4KTest;
using namespace DirazSensorPlugin::Core;

namespace {

constexpr int LongWaitMs = 30000;

// A connected window polling the simulated master, in millimetres.
struct PollRig : Rig
{
    PollRig()
    {
        w.p().liveData = true;
        w.p().measurementUnit = 0;
        channel.model().setNumber("MesurementUnit", 0);
    }

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
        return QTest::qWaitFor([&] { return !d.poll.isPending(); }, LongWaitMs);
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
    void initTestCase() { prepareWindowTests(); }
    void init() { DialogLayer::reset(); }

    void cyclesReachTheDecoderExceptAtCounterTwo()
    {
        PollRig rig;
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
                expected << QByteArray::fromStdString(records[i].answer).mid(4, 4).toHex().toUInt(nullptr, 16);
        }
        QCOMPARE(rig.distanceSamples(), expected);
        QCOMPARE(d.stateRows[0]->text(2), QString::number(expected.last()));
        QCOMPARE(d.stateRows[0]->text(3), QStringLiteral(" mm"));
        QVERIFY(rig.w.ui->chartToolbar->isEnabled());
        QVERIFY(!d.poll.isPending());
    }

    void objectInformationIsReadAndFetched()
    {
        PollRig rig;
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
        QCOMPARE(int(records[26].answer.size()), ObjectInfoAnswerLength);
        // The device sees the object at 1500 mm and its echo at twice that;
        // how a block is shown is the display test's business.
        QCOMPARE(d.stateRows[16]->text(3), QStringLiteral("1500.0 mm"));
        QCOMPARE(d.stateRows[18]->text(3), QStringLiteral("3000.0 mm"));
        QCOMPARE(d.chart->xLinePosition(1, 1), 3000.0);
        // The output row sharing position 15 keeps its look.
        QVERIFY(d.stateRows[15]->foreground(0).color() != QColor(Qt::darkGray));
        // The process data went on alongside.
        QCOMPARE(d.stateRows[0]->text(2), QStringLiteral("1500"));
    }

    void oneAnswerOwedStartsNoSecondPoll()
    {
        PollRig rig;
        auto &d = rig.w.p();
        d.pollingAllowed = false; // only the calls below start polls
        rig.w.queryStatusData();
        const unsigned int first = d.poll.pendingId();
        QVERIFY(first != 0);
        rig.w.queryStatusData();
        rig.w.enableStatusChecking(true);
        QCOMPARE(d.poll.pendingId(), first);
        QCOMPARE(d.poll.counter(), 16);
        QTRY_VERIFY_WITH_TIMEOUT(!d.poll.isPending(), LongWaitMs);
        QCOMPARE(rig.channel.records().size(), std::size_t(1));
        QVERIFY(d.chartTimer.isActive()); // the answer schedules the next poll
    }

    void staleRequestIdChangesNothing()
    {
        PollRig rig;
        auto &d = rig.w.p();
        rig.channel.model().motion().setScript({{0, 1000.0}, {10000000, 1001000.0}});
        rig.channel.setClockStepPerFrame(50);
        d.pollingAllowed = false;
        rig.w.queryStatusData();
        const unsigned int old = d.poll.pendingId();
        QTRY_VERIFY_WITH_TIMEOUT(!d.poll.isPending(), LongWaitMs);
        const QString shown = d.stateRows[0]->text(2);
        const int samples = d.chart->getData(3)->size();
        QVERIFY(samples > 0);

        rig.w.queryStatusData();
        const unsigned int current = d.poll.pendingId();
        QVERIFY(current != old);
        for (unsigned int stale : {old, current + 7}) {
            emit rig.channel.emitFinished(stale);
            QCOMPARE(d.poll.pendingId(), current);
            QCOMPARE(d.poll.counter(), 15);
            QCOMPARE(d.poll.allowance(), PollTransport::kToleratedLosses);
            QCOMPARE(d.stateRows[0]->text(2), shown);
            QCOMPARE(d.chart->getData(3)->size(), samples);
        }

        // The real answer is still taken.
        QTRY_VERIFY_WITH_TIMEOUT(!d.poll.isPending(), LongWaitMs);
        QVERIFY(d.stateRows[0]->text(2) != shown);
    }

    void onlyLossesInARowLoseTheSensor_data()
    {
        QTest::addColumn<IoLinkSim::FaultSettings>("faults");
        QTest::addColumn<int>("frames");
        QTest::addColumn<bool>("lost");
        IoLinkSim::FaultSettings silent;
        silent.silentAfter = 3;
        QTest::newRow("silent from the fourth frame") << silent << 3 << true;
        IoLinkSim::FaultSettings noise;
        noise.garbageEvery = 1; // noise of every length, given away by its count octet
        QTest::newRow("noise") << noise << 0 << true;
        for (int every : {2, 3, 5, 100}) {
            IoLinkSim::FaultSettings drops;
            drops.dropEvery = every;
            QTest::newRow(qPrintable(QStringLiteral("every %1th answer lost").arg(every))) << drops << 3 * every + 5 << false;
        }
    }

    void onlyLossesInARowLoseTheSensor()
    {
        QFETCH(IoLinkSim::FaultSettings, faults);
        QFETCH(int, frames);
        QFETCH(bool, lost);
        PollRig rig;
        auto &d = rig.w.p();
        d.chartTimer.setInterval(0);
        rig.channel.setSilenceLimitMs(20);
        rig.releaseChannelLikeTheHost();
        d.portSelector->addItem(QStringLiteral("/dev/simulated"));
        d.portSelector->setCurrentIndex(2);
        d.lastPortIndex = 2;
        d.connectionStatus->setConnected(true);
        rig.channel.master().setFaults(faults);

        std::vector<IoLinkSim::SimulatedChannel::Record> atWarning;
        DialogLayer::setAnswerer([&](const DialogLayer::Shown &) {
            atWarning = rig.channel.records();
            return int(QMessageBox::Ok);
        });
        rig.w.enableStatusChecking(true);
        if (!lost) {
            QTRY_VERIFY_WITH_TIMEOUT(int(rig.channel.records().size()) >= frames, LongWaitMs);
            QVERIFY(DialogLayer::shown().isEmpty());
            QVERIFY(rig.w.connected);
            QCOMPARE(rig.w.serialChannel(), &rig.channel);
            return;
        }
        QTRY_VERIFY_WITH_TIMEOUT(!DialogLayer::shown().isEmpty(), LongWaitMs);
        QTRY_VERIFY_WITH_TIMEOUT(!d.poll.isPending(), LongWaitMs);

        const QList<DialogLayer::Shown> shown = DialogLayer::shown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].kind, DialogLayer::Kind::Warning);
        QCOMPARE(shown[0].title, QStringLiteral("Connecting to sensor"));
        QCOMPARE(shown[0].text, QStringLiteral("The sensor did not respond, please make sure it is properly connected."));
        QCOMPARE(int(atWarning.size()), frames + 3);
        // Noise never reached the chart as a distance.
        if (faults.garbageEvery > 0)
            QVERIFY(rig.distanceSamples().isEmpty());

        QCOMPARE(d.portSelector->currentIndex(), 0);
        QVERIFY(!rig.w.connected);
        QCOMPARE(rig.w.serialChannel(), nullptr);
        QVERIFY(!d.chartTimer.isActive());
        // The connection check found no channel: one allowance is used up again.
        QCOMPARE(d.poll.allowance(), PollTransport::kToleratedLosses - 1);
        // Nothing shown claims a sensor that is gone.
        QVERIFY(!d.connectionStatus->isConnected());
        QVERIFY(d.stateRows[0]->isDisabled());
        QCOMPARE(d.stateRows[0]->text(2).trimmed(), QStringLiteral("\u2014"));
        QVERIFY(d.stateRows[3]->isDisabled());
        QVERIFY(!d.stateRows[11]->isDisabled());
    }

    void anAnswerArrivingWhileThePollStepIsBusyIsNotLost()
    {
        PollRig rig;
        auto &d = rig.w.p();
        d.pollingAllowed = false;
        rig.w.queryStatusData();
        QVERIFY(d.poll.isPending());
        // The answer comes while another poll step holds the mutex.
        d.pollMutex.lock();
        QTRY_COMPARE_WITH_TIMEOUT(rig.channel.records().size(), std::size_t(1), LongWaitMs);
        QTest::qWait(10);
        d.pollMutex.unlock();
        QVERIFY(d.poll.isPending());
        // The next step hands the kept answer on; polling goes on.
        rig.w.queryStatusData();
        QTRY_VERIFY_WITH_TIMEOUT(!d.poll.isPending(), LongWaitMs);
        QVERIFY(d.chartTimer.isActive());
    }

    void pollingStopsWhenTheChannelGoes()
    {
        PollRig rig;
        auto &d = rig.w.p();
        rig.w.queryStatusData();
        QVERIFY(d.poll.isPending());
        rig.w.setSerialChannel(nullptr);
        QTRY_VERIFY_WITH_TIMEOUT(!d.poll.isPending(), LongWaitMs);
        QVERIFY(!d.chartTimer.isActive());

        // Without a channel nothing is sent and nothing scheduled.
        rig.w.queryChartData();
        rig.w.enableStatusChecking(true);
        QVERIFY(!d.poll.isPending());
        QVERIFY(!d.chartTimer.isActive());
        QCOMPARE(rig.channel.records().size(), std::size_t(1));
    }

    void aNewChannelIsPolledWhileTheOldOneStillOwesAnAnswer()
    {
        PollRig rig;
        auto &d = rig.w.p();
        d.pollingAllowed = false;
        rig.channel.model().motion().setFixed(1200.0);
        rig.w.queryStatusData();
        QVERIFY(d.poll.isPending());

        // The host hands over another channel before the first one answered;
        // both number their requests from 1.
        IoLinkSim::SimulatedChannel other;
        other.model().setNumber("MesurementUnit", 0);
        other.model().motion().setFixed(2400.0);
        rig.w.setSerialChannel(&other);
        rig.w.queryStatusData();
        QCOMPARE(d.poll.pendingId(), 1u);
        QCOMPARE(FrameKeeper::heldOn(&rig.channel), 1);
        QTRY_VERIFY_WITH_TIMEOUT(!d.poll.isPending(), LongWaitMs);
        QTRY_COMPARE_WITH_TIMEOUT(rig.channel.records().size(), std::size_t(1), LongWaitMs);
        QCOMPARE(other.records().size(), std::size_t(1));
        // Only the new channel's answer was shown.
        QCOMPARE(d.stateRows[0]->text(2), QStringLiteral("2400"));
        QCOMPARE(d.chart->getData(3)->size(), 1);
        // The old channel filled the frame it was given, which was freed only then.
        QCOMPARE(int(rig.channel.records().front().answer.size()), CycleAnswerLength);
        QTRY_COMPARE_WITH_TIMEOUT(FrameKeeper::heldOn(&rig.channel), 0, LongWaitMs);
    }

    void pollMutexIsNotReenteredFromTheWarning()
    {
        PollRig rig;
        auto &d = rig.w.p();
        d.poll.setAllowance(0);
        rig.channel.model().unplug();

        bool mutexHeld = false;
        unsigned int idInside = 0;
        bool pendingInside = true;
        unsigned int polled = 0;
        DialogLayer::setAnswerer([&](const DialogLayer::Shown &) {
            mutexHeld = !d.pollMutex.tryLock();
            if (!mutexHeld)
                d.pollMutex.unlock();
            idInside = d.poll.pendingId();
            // A timer-started poll and the answer being handled, arriving again
            // while the box is open.
            rig.w.queryChartData();
            rig.w.queryStatusData();
            rig.w.queryStatusData(polled);
            pendingInside = d.poll.isPending();
            return int(QMessageBox::Ok);
        });
        rig.w.queryStatusData();
        polled = d.poll.pendingId();
        QTRY_VERIFY_WITH_TIMEOUT(!DialogLayer::shown().isEmpty(), LongWaitMs);
        QTRY_VERIFY_WITH_TIMEOUT(!d.poll.isPending(), LongWaitMs);

        QVERIFY(mutexHeld);
        // The answer being handled was taken before the box; the repeated one
        // is ignored once the box is gone.
        QCOMPARE(idInside, 0u);
        QVERIFY(!pendingInside);
        QTest::qWait(20);
        QCOMPARE(DialogLayer::shown().size(), 1);
        // Only the poll itself and, after the box, the connection probe went out.
        for (const auto &record : rig.channel.records())
            QVERIFY2(record.command != cycleFrame() || &record == &rig.channel.records().front(),
                     qPrintable(hex(record.command)));
        QVERIFY(d.pollMutex.tryLock());
        d.pollMutex.unlock();
    }

    void anyNonZeroStatusIsAnAnswer()
    {
        ScriptedChannel scripted;
        PollRig rig;
        auto &d = rig.w.p();
        d.pollingAllowed = false;
        scripted.responder = [](const std::string &) {
            return ScriptedChannel::Reply{2, octets({0x09, 0xaa, 0x55, 0x00, 0x00, 0x00, 0x0f, 0xa0, 0x00, 0x00})};
        };
        rig.w.setSerialChannel(&scripted);
        for (int poll = 0; poll < PollTransport::kToleratedLosses + 2; ++poll) {
            rig.w.queryStatusData();
            QTRY_VERIFY_WITH_TIMEOUT(!d.poll.isPending(), LongWaitMs);
        }
        QCOMPARE(scripted.sent.size(), std::size_t(PollTransport::kToleratedLosses + 2));
        QVERIFY(DialogLayer::shown().isEmpty());
        QVERIFY(rig.w.connected);
        QCOMPARE(d.poll.allowance(), PollTransport::kToleratedLosses);
        QCOMPARE(d.stateRows[0]->text(2), QStringLiteral("4000"));
    }

    void aLostSensorWhoseLinkStillAnswers()
    {
        ScriptedChannel scripted;
        PollRig rig;
        auto &d = rig.w.p();
        d.pollingAllowed = false;
        d.chartTimer.setInterval(600000); // only the poll below runs
        d.poll.setAllowance(0);
        // The sensor is gone but the master still answers the link probe.
        scripted.responder = [](const std::string &command) {
            return command == linkProbeFrame() ? ScriptedChannel::Reply{1, octets({0x03, 0x5a, 0x12, 0x01})}
                                               : ScriptedChannel::Reply{};
        };
        rig.w.setSerialChannel(&scripted);
        rig.w.queryStatusData();
        QTRY_VERIFY_WITH_TIMEOUT(!DialogLayer::shown().isEmpty(), LongWaitMs);
        QTRY_VERIFY_WITH_TIMEOUT(!d.poll.isPending(), LongWaitMs);
        QCOMPARE(hex(scripted.commands()), QStringList({hex(cycleFrame()), hex(linkProbeFrame())}));
        QCOMPARE(DialogLayer::shown().size(), 1);
        QVERIFY(!rig.w.connected);
        // The answered check leaves the allowance whole for the next attempt.
        QCOMPARE(d.poll.allowance(), PollTransport::kToleratedLosses);
        QVERIFY(!d.connectionStatus->isConnected());
    }
};

QTEST_MAIN(PollingTest)
#include "tst_polling.moc"
