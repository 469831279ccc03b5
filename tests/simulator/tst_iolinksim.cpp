// The real path: the serial channel against iolink-sim on a pseudo-terminal,
// and how the server cuts the octet stream into frames.
#include "simtesthelpers.h"
#include "simulatorport.h"

#include "simulator/frameassembler.h"

#include "comm/masterframes.h"

#include <extensionsystem/serialchannel.h>


#include <csignal>
#include <QtTest>

using namespace IoLinkSim;
namespace Proto = DirazSensorPlugin::Core;
using ExtensionSystem::CommunicationInterface;
using ExtensionSystem::FrameEntry;
using ExtensionSystem::SerialChannel;

class TestIoLinkSim : public QObject
{
    Q_OBJECT

private:
    static FrameEntry run(SerialChannel &channel, const std::string &command)
    {
        CommunicationInterface::DataFrame frame(1);
        frame.front().command = command;
        frame.front().expectedAnswer = ".*";
        frame.front().timeoutMs = 2000;
        QSignalSpy spy(&channel, &CommunicationInterface::emitFinished);
        channel.sendFrame(&frame);
        for (int i = 0; i < 100 && spy.isEmpty(); ++i)
            spy.wait(200);
        return frame.front();
    }
    static void stop(QProcess &process)
    {
        process.terminate();
        QVERIFY(process.waitForFinished(10000));
        QCOMPARE(process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(process.exitCode(), 0);
    }

private slots:
    void survivesThePeerClosingThePort()
    {
        K4KTest::SimulatorOnPort sim;
        QVERIFY(sim.start({}, 0));
        for (int round = 0; round < 3; ++round) {
            if (round > 0) {
                sim.channel = std::make_unique<SerialChannel>(); // the one before closes its end
                sim.channel->setPortSettings(sim.settings);
            }
            QTRY_VERIFY_WITH_TIMEOUT(sim.channel->isOpen(), 5000);
            QCOMPARE(int(run(*sim.channel, Proto::linkProbeFrame()).answer.size()), Proto::ProbeAnswerLength);
        }
        QCOMPARE(sim.process.state(), QProcess::Running);
        stop(sim.process);
    }

    void faultFlagsReachTheWire()
    {
        K4KTest::SimulatorOnPort sim;
        QVERIFY(sim.start({"--error-every", "2", "--product-name", "Z9ZZ4M1", "--silent-after", "4", "--trace"}, 0));
        SerialChannel &channel = *sim.channel;
        QCOMPARE(run(channel, Proto::productNameReadFrame()).status, 1);
        QCOMPARE(SimTest::bytes(run(channel, Proto::cycleFrame()).answer), QByteArray("\x05" "ERROR"));
        const FrameEntry fetch = run(channel, Proto::fetchResultFrame());
        QCOMPARE(Proto::productNameFromAnswer(SimTest::bytes(fetch.answer)), QStringLiteral("Z9ZZ4M1"));
        run(channel, Proto::cycleFrame());
        QCOMPARE(run(channel, Proto::linkProbeFrame()).status, 0); // fifth frame: silent
        stop(sim.process);
        // The trace names every frame that came in.
        QCOMPARE(sim.process.readAllStandardError().count("-> "), 5);
    }

    // The plug command on the standard input is taken in the window tests.
    void plugsInAgainBySignalAfterBackToBox()
    {
        K4KTest::SimulatorOnPort sim;
        QVERIFY(sim.start({}, 0));
        SerialChannel &channel = *sim.channel;
        QCOMPARE(run(channel, Proto::linkProbeFrame()).status, 1);
        run(channel, Proto::systemCommandFrame(Proto::SystemCommand::BackToBox));
        QCOMPARE(run(channel, Proto::linkProbeFrame()).status, 0);
        QCOMPARE(::kill(pid_t(sim.process.processId()), SIGUSR1), 0);
        // Back after the restart's short silence.
        int answered = 0;
        for (int i = 0; i < 20 && !answered; ++i)
            answered = run(channel, Proto::linkProbeFrame()).status;
        QCOMPARE(answered, 1);
        stop(sim.process);
    }

    void assemblerCutsFrames_data()
    {
        // Pieces as "time:hex"; events as F:hex (frame) or M (malformed, answered
        // ERROR); the gap is 100 ms.
        QTest::addColumn<QStringList>("pieces");
        QTest::addColumn<int>("idleAt");
        QTest::addColumn<QStringList>("events");
        QTest::newRow("whole") << QStringList{"0:027022"} << 10 << QStringList{"F:027022"};
        QTest::newRow("in three pieces") << QStringList{"0:05", "20:5726", "40:120000"} << 50
                                         << QStringList{"F:055726120000"};
        QTest::newRow("two in one read") << QStringList{"0:02702202 7327"} << 10 << QStringList{"F:027022", "F:027327"};
        QTest::newRow("unfinished, then a pause") << QStringList{"0:0557", "300:027022"} << 310
                                                  << QStringList{"M", "F:027022"};
        QTest::newRow("unfinished at the end") << QStringList{"0:055726"} << 500 << QStringList{"M"};
        QTest::newRow("noise swallows its burst") << QStringList{"0:ff0102", "50:027022", "400:03511201"} << 410
                                                  << QStringList{"M", "F:03511201"};
        QTest::newRow("count below a frame") << QStringList{"0:01", "200:027022"} << 210 << QStringList{"M", "F:027022"};
        QTest::newRow("longest frame") << QStringList{"0:25" + QString(74, '0')} << 10
                                       << QStringList{"F:25" + QString(74, '0')};
    }

    void assemblerCutsFrames()
    {
        QFETCH(QStringList, pieces);
        QFETCH(int, idleAt);
        FrameAssembler assembler(100);
        QStringList seen;
        auto note = [&seen](const std::vector<FrameAssembler::Event> &list) {
            for (const auto &e : list)
                seen << (e.malformed ? QStringLiteral("M") : QStringLiteral("F:") + SimTest::hex(e.frame));
        };
        for (const QString &piece : pieces) {
            const QStringList parts = piece.split(':');
            note(assembler.feed(SimTest::octets(parts[1].toLatin1().constData()), parts[0].toLongLong()));
        }
        note(assembler.idle(idleAt));
        QTEST(seen, "events");
    }
};

QTEST_GUILESS_MAIN(TestIoLinkSim)
#include "tst_iolinksim.moc"
