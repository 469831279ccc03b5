// The blocking request transport of the sensor window: what one command
// reports for each kind of answer, what the user sees while it waits, and
// that a frame finished early or not at all never blocks the caller.

#include "k4ktest.h"
#include "scriptedchannel.h"
#include "sensorwindowprobe.h"

#include "comm/framekeeper.h"
#include "comm/pause.h"
#include "live/polltransport.h"

#include <extensionsystem/globals.h>
#include <utils/progressbarui.h>

#include <QApplication>
#include <QCursor>
#include <QtTest>

#include <memory>

using namespace K4KTest;
using namespace DirazSensorPlugin::Core;

namespace {

QByteArray bytes(const std::string &s)
{
    return QByteArray(s.data(), int(s.size()));
}

// What the user had in front of them while a send waited.
struct WaitView
{
    bool waitCursor = false;
    bool progressShown = false;
    bool progressModal = false;
};

WaitView lookAt(QWidget *window)
{
    WaitView view;
    const QCursor *cursor = QApplication::overrideCursor();
    view.waitCursor = cursor && cursor->shape() == Qt::WaitCursor;
    for (Utils::ProgressBarUi *progress : window->findChildren<Utils::ProgressBarUi *>()) {
        if (progress->isWaiting()) {
            view.progressShown = progress->isVisible();
            view.progressModal = progress->isModal();
        }
    }
    return view;
}

} // namespace

Q_DECLARE_METATYPE(std::string)

class TransportTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        ExtensionSystem::Globals::setLanguage("en");
        setPauseScale(0.0);
        window = std::make_unique<SensorWindowProbe>(nullptr, shippedDescription());
    }
    void init()
    {
        channel = std::make_unique<ScriptedChannel>();
        window->p().showProgress = true;
    }
    void cleanup() { window->setSerialChannel(nullptr); }
    void cleanupTestCase() { window.reset(); }

    void withoutChannelNothingIsSentOrShown()
    {
        qDeleteAll(window->findChildren<Utils::ProgressBarUi *>());
        SensorWindow::DataFrame frame(1);
        frame.front().command = octets({0x02, 0x70, 0x22});
        window->sendDataFrame(&frame);
        QCOMPARE(frame.front().status, 0);
        QVERIFY(frame.front().answer.empty());
        QVERIFY(window->findChildren<Utils::ProgressBarUi *>().isEmpty());
        QVERIFY(!QApplication::overrideCursor());

        QVERIFY(!window->bSendCommand(octets({0x02, 0x70, 0x22}), true));
        QVERIFY(window->queryCommand(octets({0x02, 0x73, 0x27}), std::string()).isEmpty());
        QVERIFY(window->findChildren<Utils::ProgressBarUi *>().isEmpty());

        // A null frame with a channel is refused as well.
        window->setSerialChannel(channel.get());
        window->sendDataFrame(nullptr, true);
        QVERIFY(channel->sent.empty());
    }

    void outcomeOfOneCommand_data()
    {
        QTest::addColumn<int>("status");
        QTest::addColumn<std::string>("answer");
        QTest::addColumn<bool>("success");
        QTest::addColumn<bool>("queryGetsAnswer");

        const std::string plain = octets({0x03, 0x5A, 0x12, 0x01});
        QTest::newRow("answered") << 1 << plain << true << true;
        QTest::newRow("ERROR after other text") << 1 << std::string("\x07\x5A" "abERROR", 9) << false << true;
        QTest::newRow("ERROR at the start") << 1 << std::string("ERROR") << false << true;
        QTest::newRow("lower-case error is no error") << 1 << std::string("\x05" "error", 6) << true << true;
        QTest::newRow("ERRO cut short") << 1 << std::string("\x04" "ERRO", 5) << true << true;
        QTest::newRow("zero octets kept") << 1 << octets({0x06, 0x00, 0x00, 0x41, 0x00, 0x42, 0x00}) << true << true;
        QTest::newRow("no answer in time") << 0 << std::string() << false << false;
        QTest::newRow("octets but status 0") << 0 << plain << false << false;
        QTest::newRow("status other than 1") << 2 << plain << false << false;
    }

    void outcomeOfOneCommand()
    {
        QFETCH(int, status);
        QFETCH(std::string, answer);
        QFETCH(bool, queryGetsAnswer);

        channel->responder = [&](const std::string &) { return ScriptedChannel::Reply{status, answer}; };
        window->setSerialChannel(channel.get());

        const std::string command = octets({0x07, 0x4C, 0x24, 0x40, 0x00, 0x00, 0x12, 0x34});
        QTEST(window->bSendCommand(command, true), "success");
        const QByteArray got = window->queryCommand(octets({0x02, 0x73, 0x27}), std::string());
        QCOMPARE(got, queryGetsAnswer ? bytes(answer) : QByteArray());
        if (queryGetsAnswer)
            QCOMPARE(got.size(), int(answer.size()));

        QCOMPARE(channel->sent.size(), std::size_t(2));
        QCOMPARE(bytes(channel->sent[0].command), bytes(command));
        QCOMPARE(channel->sent[0].expectedAnswer, std::string(".*"));
        QCOMPARE(channel->sent[0].timeoutMs, 2000.0);
        QCOMPARE(channel->sent[1].expectedAnswer, std::string());
        QCOMPARE(channel->sent[1].timeoutMs, 2000.0);
    }

    void waitIsShownOnlyWhenAsked_data()
    {
        QTest::addColumn<bool>("useWindowFlag");
        QTest::addColumn<bool>("showProgress");
        QTest::addColumn<bool>("shown");

        QTest::newRow("window flag, progress on") << true << true << true;
        QTest::newRow("window flag, progress off") << true << false << false;
        QTest::newRow("no window flag") << false << true << false;
    }

    void waitIsShownOnlyWhenAsked()
    {
        QFETCH(bool, useWindowFlag);
        QFETCH(bool, showProgress);
        QFETCH(bool, shown);

        WaitView during;
        bool looked = false;
        channel->responder = [](const std::string &) { return ScriptedChannel::Reply{1, octets({0x02, 0x5A, 0x22})}; };
        channel->duringWait = [&] {
            during = lookAt(window.get());
            looked = true;
        };
        window->setSerialChannel(channel.get());
        window->p().showProgress = showProgress;

        QVERIFY(window->bSendCommand(octets({0x02, 0x70, 0x22}), useWindowFlag));
        QVERIFY(looked);
        QCOMPARE(during.waitCursor, shown);
        QCOMPARE(during.progressShown, shown);
        QCOMPARE(during.progressModal, shown);
        QVERIFY(!QApplication::overrideCursor());

        // queryCommand follows the window's flag alone.
        looked = false;
        window->queryCommand(octets({0x02, 0x73, 0x27}), std::string());
        QVERIFY(looked);
        QCOMPARE(during.waitCursor, showProgress);
        QVERIFY(!QApplication::overrideCursor());
    }

    void frameFinishedInsideSendDoesNotBlock()
    {
        channel->finishInsideSend = true;
        channel->responder = [](const std::string &) { return ScriptedChannel::Reply{1, octets({0x03, 0x5A, 0x12, 0x01})}; };
        window->setSerialChannel(channel.get());
        // A lost finish would leave the wait running until this guard ends it.
        bool stuck = false;
        QTimer guard;
        guard.setSingleShot(true);
        connect(&guard, &QTimer::timeout, this, [&] {
            stuck = true;
            for (Utils::ProgressBarUi *progress : window->findChildren<Utils::ProgressBarUi *>())
                if (progress->isWaiting())
                    progress->exit(channel->sent.size());
        });
        guard.start(5000);
        QCOMPARE(window->queryCommand(octets({0x03, 0x51, 0x12, 0x01}), std::string()).size(), 4);
        QVERIFY(!stuck);
    }

    void aChannelDeletedDuringTheWaitEndsIt()
    {
        auto *doomed = new ScriptedChannel; // deleted by the timer below
        doomed->finishAfterMs = 600000;     // never, as far as the test goes
        window->setSerialChannel(doomed);
        QTimer::singleShot(20, doomed, [doomed] { delete doomed; });
        QVERIFY(!window->bSendCommand(octets({0x02, 0x70, 0x22}), true));
        QCOMPARE(window->serialChannel(), nullptr);
        QVERIFY(!QApplication::overrideCursor());
    }

    void aKeptFrameLivesUntilItsChannelIsDone()
    {
        channel->finishAfterMs = 30;
        auto frame = std::make_unique<SensorWindow::DataFrame>(1);
        const unsigned int id = channel->sendFrame(frame.get());
        FrameKeeper::keep(channel.get(), id, std::move(frame));
        QCOMPARE(FrameKeeper::heldOn(channel.get()), 1);
        // Another request finishing does not free it.
        emit channel->emitFinished(id + 1);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(FrameKeeper::heldOn(channel.get()), 1);
        QTRY_COMPARE_WITH_TIMEOUT(FrameKeeper::heldOn(channel.get()), 0, 5000);

        // A frame kept on a channel that is deleted goes with it.
        auto *gone = new ScriptedChannel;
        gone->finishAfterMs = 600000;
        auto second = std::make_unique<SensorWindow::DataFrame>(1);
        const unsigned int secondId = gone->sendFrame(second.get());
        FrameKeeper::keep(gone, secondId, std::move(second));
        QCOMPARE(FrameKeeper::heldOn(gone), 1);
        delete gone;
    }

    void onlyLossesInARowUseTheAllowance_data()
    {
        QTest::addColumn<QString>("outcomes"); // a: answered, -: lost
        QTest::addColumn<int>("lostAt");        // index of the poll that loses the sensor, -1 none
        QTest::newRow("three in a row") << "aa---" << 4;
        QTest::newRow("every second lost") << "-a-a-a-a-a-a" << -1;
        QTest::newRow("every third lost") << "aa-aa-aa-aa-" << -1;
        QTest::newRow("two, an answer, three") << "--a---" << 5;
        QTest::newRow("answers only") << "aaaaaa" << -1;
    }

    void onlyLossesInARowUseTheAllowance()
    {
        QFETCH(QString, outcomes);
        PollTransport poll;
        int lost = -1;
        for (int i = 0; i < outcomes.size() && lost < 0; ++i) {
            if (poll.recordOutcome(outcomes[i] == QLatin1Char('a')))
                lost = i;
        }
        QTEST(lost, "lostAt");
    }

private:
    std::unique_ptr<SensorWindowProbe> window;
    std::unique_ptr<ScriptedChannel> channel;
};

QTEST_MAIN(TransportTest)
#include "tst_transport.moc"
