// The real serial channel against a scripted peer on a pseudo-terminal.
#include <extensionsystem/frametrace.h>
#include <extensionsystem/serialchannel.h>

#include "ptypeer.h"

#include <QtTest>

#include <memory>

using ExtensionSystem::CommunicationInterface;
using ExtensionSystem::FrameEntry;
using ExtensionSystem::FrameTrace;
using ExtensionSystem::PortSettings;
using ExtensionSystem::SerialChannel;
using K4KTest::PtyPeer;
using K4KTest::Reply;

namespace {

std::string octets(const QByteArray &hex)
{
    const QByteArray raw = QByteArray::fromHex(hex);
    return std::string(raw.constData(), static_cast<size_t>(raw.size()));
}

QByteArray toHex(const std::string &raw)
{
    return QByteArray(raw.data(), static_cast<int>(raw.size())).toHex();
}

// Sends one frame and waits for its finished signal; returns the entry.
FrameEntry runFrame(SerialChannel &channel, const QByteArray &commandHex, double timeoutMs)
{
    CommunicationInterface::DataFrame frame(1);
    frame.front().command = octets(commandHex);
    frame.front().expectedAnswer = ".*";
    frame.front().timeoutMs = timeoutMs;
    QSignalSpy spy(&channel, &CommunicationInterface::emitFinished);
    const unsigned int id = channel.sendFrame(&frame);
    // No finish, or another request's: a status no channel reports.
    if ((spy.isEmpty() && !spy.wait(static_cast<int>(timeoutMs) + 5000)) || spy.first().first().toUInt() != id)
        frame.front().status = -1;
    return frame.front();
}

// A channel opened on the peer's end, with the given delays.
std::unique_ptr<SerialChannel> openOn(const PtyPeer &peer, int characterDelay = 0, int lineDelay = 0)
{
    auto channel = std::make_unique<SerialChannel>();
    PortSettings settings;
    settings.portName = peer.path();
    settings.characterDelay = characterDelay;
    settings.lineDelay = lineDelay;
    channel->setPortSettings(settings);
    return channel;
}

} // namespace

class TestSerialChannel : public QObject
{
    Q_OBJECT
private slots:
    void answerFraming_data()
    {
        QTest::addColumn<QByteArray>("replyHex");
        QTest::addColumn<int>("chunkSize");
        QTest::addColumn<int>("chunkGapMs");
        QTest::addColumn<QByteArray>("expectedHex");

        QTest::newRow("probe answer at once") << QByteArray("03aabbcc") << 0 << 0 << QByteArray("03aabbcc");
        QTest::newRow("answer in chunks within the gap") << QByteArray("09010203040506070809") << 3 << 10
                                                         << QByteArray("09010203040506070809");
        // The count octet promises more than comes: the answer still ends.
        QTest::newRow("short answer ends after silence") << QByteArray("054552524f") << 0 << 0 << QByteArray("054552524f");
        // Extra octets after a complete answer are not part of it.
        QTest::newRow("trailing octets cut") << QByteArray("0211220000") << 0 << 0 << QByteArray("021122");
        QTest::newRow("silence: no answer") << QByteArray() << 0 << 0 << QByteArray();
    }

    void answerFraming()
    {
        QFETCH(QByteArray, replyHex);
        QFETCH(int, chunkSize);
        QFETCH(int, chunkGapMs);

        PtyPeer peer([&](const QByteArray &) { return Reply{QByteArray::fromHex(replyHex), 0, chunkSize, chunkGapMs}; });
        QVERIFY(!peer.path().isEmpty());
        auto opened = openOn(peer);
        SerialChannel &channel = *opened;
        QVERIFY2(channel.isOpen(), qPrintable(channel.lastError()));

        const FrameEntry entry = runFrame(channel, "03511201", 1000);
        QCOMPARE(entry.status, replyHex.isEmpty() ? 0 : 1);
        QTEST(toHex(entry.answer), "expectedHex");
        QCOMPARE(peer.commands().value(0).toHex(), QByteArray("03511201"));
    }

    void lateAnswerNeverAnswersNextEntry()
    {
        // The first request is answered long after its time-out; the second at once.
        PtyPeer peer([](const QByteArray &command) {
            if (command.toHex() == "03511201")
                return Reply{QByteArray::fromHex("03deadbe"), 250, 0, 0};
            return Reply{QByteArray::fromHex("0911220102030405060f"), 0, 0, 0};
        });
        auto opened = openOn(peer);
        SerialChannel &channel = *opened;

        const FrameEntry first = runFrame(channel, "03511201", 60);
        QCOMPARE(first.status, 0);
        QTest::qWait(400); // the late answer is now waiting in the input
        const FrameEntry second = runFrame(channel, "027022", 2000);
        QCOMPARE(second.status, 1);
        QCOMPARE(toHex(second.answer), QByteArray("0911220102030405060f"));
    }

    void finishedSignalComesWithAnswerFilled()
    {
        PtyPeer peer([](const QByteArray &) { return Reply{QByteArray::fromHex("03010203"), 0, 0, 0}; });
        auto opened = openOn(peer);
        SerialChannel &channel = *opened;

        CommunicationInterface::DataFrame frame(1);
        frame.front().command = octets("03511201");
        std::string seenAnswer;
        int seenStatus = -1;
        bool fromOtherThread = false;
        QThread *gui = QThread::currentThread();
        connect(&channel, &CommunicationInterface::emitFinished, this,
                [&](unsigned int) {
                    seenAnswer = frame.front().answer;
                    seenStatus = frame.front().status;
                    fromOtherThread = QThread::currentThread() != gui;
                },
                Qt::DirectConnection);
        QSignalSpy spy(&channel, &CommunicationInterface::emitFinished);
        const unsigned int id = channel.sendFrame(&frame);
        QVERIFY(spy.wait(5000));
        QCOMPARE(spy.first().first().toUInt(), id);
        QCOMPARE(seenStatus, 1);
        QCOMPARE(toHex(seenAnswer), QByteArray("03010203"));
        QVERIFY(fromOtherThread);
    }

    void framesRunInOrderWithCharacterDelay()
    {
        PtyPeer peer([](const QByteArray &command) {
            // Echo the code octet so each answer names its request.
            return Reply{QByteArray::fromHex("03") + command.mid(2, 1) + QByteArray::fromHex("0000"), 0, 0, 0};
        });
        auto opened = openOn(peer, 2, 5);
        SerialChannel &channel = *opened;
        QCOMPARE(channel.portSettings().characterDelay, 2);

        std::vector<CommunicationInterface::DataFrame> frames(3, CommunicationInterface::DataFrame(1));
        frames[0].front().command = octets("03511201");
        frames[1].front().command = octets("027022");
        frames[2].front().command = octets("0473110903");
        QList<unsigned int> finished;
        connect(&channel, &CommunicationInterface::emitFinished, this, [&](unsigned int id) { finished.append(id); });
        QList<unsigned int> sent;
        for (auto &frame : frames)
            sent.append(channel.sendFrame(&frame));
        QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 3, 10000);
        QCOMPARE(finished, sent);
        QCOMPARE(toHex(frames[0].front().answer), QByteArray("03120000"));
        QCOMPARE(toHex(frames[1].front().answer), QByteArray("03220000"));
        QCOMPARE(toHex(frames[2].front().answer), QByteArray("03110000"));
        const QList<QByteArray> seen = peer.commands();
        QCOMPARE(seen.size(), 3);
        QCOMPARE(seen.at(2).toHex(), QByteArray("0473110903"));
    }

    void missingPortGivesStatusZero()
    {
        SerialChannel channel;
        PortSettings settings;
        settings.portName = "/dev/does-not-exist-k4k";
        channel.setPortSettings(settings);
        QVERIFY(!channel.isOpen());
        QVERIFY(!channel.lastError().isEmpty());
        const FrameEntry entry = runFrame(channel, "03511201", 100);
        QCOMPARE(entry.status, 0);
    }

    void settingsReopenOnlyWhenChangedAndWaitAtMostOneAnswer()
    {
        PtyPeer peer([](const QByteArray &) { return Reply{}; }); // silent
        SerialChannel channel;
        QSignalSpy state(&channel, &SerialChannel::portStateChanged);
        PortSettings settings;
        settings.portName = peer.path();
        channel.setPortSettings(settings);
        QVERIFY(channel.isOpen());
        const int opened = state.count();
        // The connection sets the same settings again and again: no reopen, so
        // the adapter's modem lines stay as they are.
        for (int i = 0; i < 5; ++i)
            channel.setPortSettings(settings);
        QCOMPARE(state.count(), opened);

        // A frame that waits far longer than the settings may wait.
        CommunicationInterface::DataFrame slow(1);
        slow.front().command = octets("027022");
        slow.front().timeoutMs = 3 * SerialChannel::kSettingsWaitMs;
        QSignalSpy finished(&channel, &CommunicationInterface::emitFinished);
        channel.sendFrame(&slow);
        settings.vSetBaudrateDefault(0);
        channel.setPortSettings(settings);
        // Returned before the frame ahead of the reopen was done with.
        QCOMPARE(finished.count(), 0);
        QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, 6 * SerialChannel::kSettingsWaitMs);
        // Closed and opened again with the new rate.
        QTRY_VERIFY_WITH_TIMEOUT(state.count() >= opened + 2 && channel.isOpen(), 5000);
    }

    void traceNamesPortFramesAndOutcome_data()
    {
        QTest::addColumn<QByteArray>("replyHex");
        QTest::addColumn<QString>("answerText");
        QTest::addColumn<QString>("outcome");
        QTest::newRow("answered") << QByteArray("03aabbcc") << "03 aa bb cc" << "answered in";
        QTest::newRow("the master's ERROR") << QByteArray("054552524f52") << "05 45 52 52 4f 52" << "ERROR in";
        QTest::newRow("silence") << QByteArray() << "-" << "timed out after";
    }

    void traceNamesPortFramesAndOutcome()
    {
        QFETCH(QByteArray, replyHex);
        QFETCH(QString, answerText);
        QFETCH(QString, outcome);
        QTemporaryDir dir;
        const QString file = dir.filePath("trace.txt");
        QVERIFY(FrameTrace::open(file));
        PtyPeer peer([&](const QByteArray &) { return Reply{QByteArray::fromHex(replyHex), 0, 0, 0}; });
        {
            auto channel = openOn(peer);
            QVERIFY(channel->isOpen());
            runFrame(*channel, "03511201", 200);
        }
        FrameTrace::close();
        QFile trace(file);
        QVERIFY(trace.open(QIODevice::ReadOnly));
        const QStringList lines = QString::fromUtf8(trace.readAll()).split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 2); // the port opened, then the one request
        QVERIFY2(lines.at(1).contains(QStringLiteral(" %1 -> 03 51 12 01 <- %2 %3 ").arg(peer.path(), answerText, outcome)),
                 qPrintable(lines.at(1)));
    }
};

QTEST_MAIN(TestSerialChannel)
#include "tst_serialchannel.moc"
