// The real path: the serial channel against iolink-sim on a pseudo-terminal,
// and how the server cuts the octet stream into frames.
#include "simtesthelpers.h"

#include "simulator/frameassembler.h"

#include "comm/masterframes.h"
#include "device/parameterdecoding.h"
#include "live/processdecoding.h"

#include <extensionsystem/serialchannel.h>

#include <QProcess>

#include <csignal>
#include <QSignalSpy>
#include <QtTest>

using namespace IoLinkSim;
namespace Proto = DirazSensorPlugin::Core;
using ExtensionSystem::CommunicationInterface;
using ExtensionSystem::FrameEntry;
using ExtensionSystem::PortSettings;
using ExtensionSystem::SerialChannel;

class TestIoLinkSim : public QObject
{
    Q_OBJECT

private:
    QString m_program;

    // Starts iolink-sim with the arguments and returns the port it prints.
    QString start(QProcess &process, const QStringList &arguments)
    {
        process.setProgram(m_program);
        process.setArguments(arguments);
        process.start();
        if (!process.waitForStarted(10000))
            return QString();
        for (int i = 0; i < 50 && !process.canReadLine(); ++i)
            process.waitForReadyRead(200);
        return QString::fromLocal8Bit(process.readLine()).trimmed();
    }
    static bool open(SerialChannel &channel, const QString &port)
    {
        QSignalSpy opened(&channel, &SerialChannel::portStateChanged);
        PortSettings settings;
        settings.portName = port;
        channel.setPortSettings(settings);
        for (int i = 0; i < 50 && !channel.isOpen(); ++i)
            opened.wait(100);
        return channel.isOpen();
    }
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
    void initTestCase()
    {
        const QByteArray bin = qgetenv("K4K_BIN");
        m_program = (bin.isEmpty() ? QCoreApplication::applicationDirPath() : QString::fromLocal8Bit(bin))
                    + QStringLiteral("/iolink-sim");
        QVERIFY2(QFileInfo(m_program).isExecutable(), qPrintable(m_program));
    }

    void probeCycleAndParameterRead();
    void survivesThePeerClosingThePort();
    void faultFlagsReachTheWire();
    void plugsInAgainAfterBackToBox_data();
    void plugsInAgainAfterBackToBox();
    void assemblerCutsFrames_data();
    void assemblerCutsFrames();
};

void TestIoLinkSim::probeCycleAndParameterRead()
{
    QProcess sim;
    const QString port = start(sim, {QStringLiteral("--distance"), QStringLiteral("1750")});
    QVERIFY2(port.startsWith(QStringLiteral("/dev/")), qPrintable(port));
    SerialChannel channel;
    QVERIFY(open(channel, port));

    const FrameEntry probe = run(channel, Proto::linkProbeFrame());
    QCOMPARE(probe.status, 1);
    QCOMPARE(int(probe.answer.size()), Proto::ProbeAnswerLength);

    const FrameEntry cycle = run(channel, Proto::cycleFrame());
    QCOMPARE(int(cycle.answer.size()), Proto::CycleAnswerLength);
    Proto::ProcessDecoderState state;
    QCOMPARE(Proto::decodeProcessAnswer(state, SimTest::hex(cycle.answer), 0).distance.chartValue, 1750.0);

    const DeviceDescription description = SimTest::loadDescription();
    const ParameterInfo *p = description.find("SwitchingThresholdA1");
    QVERIFY(p);
    run(channel, Proto::buildReadRequest(std::uint16_t(p->index), std::uint8_t(p->subIndex)));
    run(channel, Proto::cycleFrame());
    const FrameEntry fetch = run(channel, Proto::fetchResultFrame());
    QCOMPARE(int(fetch.answer.size()), p->size + 1);
    QCOMPARE(Proto::doubleAnswerValue(SimTest::bytes(fetch.answer), p->size), int(p->defaultNumber));

    stop(sim);
}

void TestIoLinkSim::survivesThePeerClosingThePort()
{
    QProcess sim;
    const QString port = start(sim, {});
    QVERIFY(!port.isEmpty());
    for (int round = 0; round < 3; ++round) {
        SerialChannel channel;
        QVERIFY(open(channel, port));
        QCOMPARE(int(run(channel, Proto::linkProbeFrame()).answer.size()), Proto::ProbeAnswerLength);
    }
    QCOMPARE(sim.state(), QProcess::Running);
    stop(sim);
}

void TestIoLinkSim::faultFlagsReachTheWire()
{
    QProcess sim;
    const QString port = start(sim, {QStringLiteral("--error-every"), QStringLiteral("2"),
                                     QStringLiteral("--product-name"), QStringLiteral("Z9ZZ4M1"),
                                     QStringLiteral("--silent-after"), QStringLiteral("4"), QStringLiteral("--trace")});
    QVERIFY(!port.isEmpty());
    SerialChannel channel;
    QVERIFY(open(channel, port));
    QCOMPARE(run(channel, Proto::productNameReadFrame()).status, 1);
    QCOMPARE(SimTest::bytes(run(channel, Proto::cycleFrame()).answer), QByteArray("\x05" "ERROR"));
    const FrameEntry fetch = run(channel, Proto::fetchResultFrame());
    QCOMPARE(Proto::productNameFromAnswer(SimTest::bytes(fetch.answer)), QStringLiteral("Z9ZZ4M1"));
    run(channel, Proto::cycleFrame());
    QCOMPARE(run(channel, Proto::linkProbeFrame()).status, 0); // fifth frame: silent
    stop(sim);
    // The trace names every frame that came in.
    const QByteArray trace = sim.readAllStandardError();
    QCOMPARE(trace.count("-> "), 5);
}

void TestIoLinkSim::plugsInAgainAfterBackToBox_data()
{
    QTest::addColumn<bool>("bySignal");
    QTest::newRow("control line") << false;
    QTest::newRow("signal") << true;
}

void TestIoLinkSim::plugsInAgainAfterBackToBox()
{
    QFETCH(bool, bySignal);
    QProcess process;
    const QString port = start(process, {});
    QVERIFY(!port.isEmpty());
    SerialChannel channel;
    QVERIFY(open(channel, port));
    QCOMPARE(run(channel, Proto::linkProbeFrame()).status, 1);
    run(channel, Proto::systemCommandFrame(Proto::SystemCommand::BackToBox));
    QCOMPARE(run(channel, Proto::linkProbeFrame()).status, 0);
    if (bySignal)
        QCOMPARE(::kill(pid_t(process.processId()), SIGUSR1), 0);
    else
        process.write("plug\n");
    // Back after the restart's short silence.
    int answered = 0;
    for (int i = 0; i < 20 && !answered; ++i)
        answered = run(channel, Proto::linkProbeFrame()).status;
    QCOMPARE(answered, 1);
    stop(process);
}

void TestIoLinkSim::assemblerCutsFrames_data()
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

void TestIoLinkSim::assemblerCutsFrames()
{
    QFETCH(QStringList, pieces);
    QFETCH(int, idleAt);
    QFETCH(QStringList, events);
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
    QCOMPARE(seen, events);
}

QTEST_GUILESS_MAIN(TestIoLinkSim)
#include "tst_iolinksim.moc"
