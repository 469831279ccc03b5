// ndorix with iolink-sim on a pseudo-terminal, once per fault of the line or
// the device: each run ends connected and polling, or Offline with the
// message that says why, and never in a crash, a hang or a sanitizer report.
#include "hostrun.h"

#include <QProcess>
#include <QtTest>

#include <csignal>

namespace {

const char *const kConnected = "connected";
const char *const kOffline = "offline";

struct FaultRun
{
    bool finished = false;
    int exitCode = -1;
    QString out;
    QString err;
    int cycles = 0; // poll frames the simulator saw
};

QString bin() { return qEnvironmentVariable("K4K_BIN"); }

QStringList childrenOf(qint64 pid)
{
    QFile file(QStringLiteral("/proc/%1/task/%1/children").arg(pid));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromLatin1(file.readAll()).split(' ', Qt::SkipEmptyParts);
}

// Runs the host until its screenshot quits it; `killSimAtMs` > 0 kills the
// simulator (a child of the host) at that time.
FaultRun runFault(const QString &model, const QString &simArgs, int quitAtMs, int killSimAtMs = 0)
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    process.setProcessEnvironment(env);
    process.start(bin() + "/ndorix", {"--simulate", "--sim-args", "--trace " + simArgs, "--open", model,
                                      "--auto-connect", "simulator", "--screenshot", "/dev/null", "--after",
                                      QString::number(quitAtMs)});
    FaultRun run;
    if (killSimAtMs > 0 && process.waitForStarted(10000)) {
        QTest::qWait(killSimAtMs);
        for (const QString &child : childrenOf(process.processId()))
            ::kill(child.toInt(), SIGKILL);
    }
    // Generous: a sanitizer build on a busy machine is slow to start.
    run.finished = process.waitForFinished(quitAtMs + 90000);
    if (!run.finished) {
        process.kill();
        process.waitForFinished(10000);
    }
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = QString::fromLocal8Bit(process.readAllStandardOutput());
    run.err = QString::fromLocal8Bit(process.readAllStandardError());
    run.cycles = run.err.count(QStringLiteral("-> 02 70 22"));
    return run;
}

QString firstModel()
{
    return runHost(bin() + "/ndorix", {"--list-sensors"}).out.section('\n', 0, 0);
}

void verifyCleanExit(const FaultRun &run)
{
    QVERIFY2(run.finished, "the host hung");
    QVERIFY2(run.exitCode == 0, qPrintable(run.err.right(3000)));
    QVERIFY2(!run.err.contains("Sanitizer") && !run.err.contains("runtime error"), qPrintable(run.err.right(3000)));
}

} // namespace

class TestFaultMatrix : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        m_model = firstModel();
        QVERIFY(!m_model.isEmpty());
    }
    void endsInItsState_data();
    void endsInItsState();
    void quitsCleanlyAtAnyMoment_data();
    void quitsCleanlyAtAnyMoment();

private:
    QString m_model;
};

void TestFaultMatrix::endsInItsState_data()
{
    QTest::addColumn<QString>("simArgs");
    QTest::addColumn<int>("quitAtMs");
    QTest::addColumn<int>("killSimAtMs");
    QTest::addColumn<QString>("state");
    QTest::addColumn<QString>("message");
    // The connection notice takes about eight seconds; polling runs about
    // eleven times a second after it, and three unanswered polls lose the sensor.
    QTest::newRow("clean line") << "" << 12000 << 0 << kConnected << "";
    QTest::newRow("every 2nd answer lost") << "--drop-every 2" << 14000 << 0 << kOffline << "the line loses answers";
    QTest::newRow("every 3rd answer lost") << "--drop-every 3" << 16000 << 0 << kOffline << "the line loses answers";
    QTest::newRow("every 100th answer lost") << "--drop-every 100" << 16000 << 0 << kConnected << "";
    QTest::newRow("silent after 40 frames") << "--silent-after 40" << 26000 << 0 << kOffline << "did not respond";
    QTest::newRow("answers 500 ms late") << "--delay 500" << 30000 << 0 << kConnected << "";
    QTest::newRow("garbage every 7th") << "--garbage-every 7" << 16000 << 0 << kConnected << "";
    QTest::newRow("ERROR every 7th") << "--error-every 7" << 16000 << 0 << kConnected << "";
    QTest::newRow("unplugged, plugged in later") << "--unplug-at 40 --replug-at 100" << 26000 << 0 << kOffline
                                                 << "did not respond";
    QTest::newRow("another product") << "--product-name Z9Z0000" << 14000 << 0 << kOffline
                                     << "the sensor answers as Z9Z0000";
    QTest::newRow("simulator killed") << "" << 28000 << 11000 << kOffline << "did not respond";
}

void TestFaultMatrix::endsInItsState()
{
    QFETCH(QString, simArgs);
    QFETCH(int, quitAtMs);
    QFETCH(int, killSimAtMs);
    QFETCH(QString, state);
    QFETCH(QString, message);
    const FaultRun run = runFault(m_model, simArgs, quitAtMs, killSimAtMs);
    verifyCleanExit(run);
    const QString port = QRegularExpression("simulator port: (\\S+)").match(run.out).captured(1);
    QVERIFY2(!port.isEmpty(), qPrintable(run.out));
    const bool connected = run.out.contains("window: " + m_model + " (" + port + ")");
    QVERIFY2(connected == (state == kConnected), qPrintable(run.out + run.err.right(2000)));
    if (connected)
        QVERIFY2(run.cycles >= 10, qPrintable(QString::number(run.cycles)));
    // The dialog layer logs what the person was told.
    QVERIFY2(message.isEmpty() || run.err.contains(message), qPrintable(run.err.right(2000)));
    if (connected)
        QVERIFY2(!run.err.contains("k4k.persistence: message:"), qPrintable(run.err.right(2000)));
}

void TestFaultMatrix::quitsCleanlyAtAnyMoment_data()
{
    QTest::addColumn<int>("quitAtMs");
    // Slow answers keep a blocking send open for most of the connection.
    for (int ms : {200, 900, 2500, 4700, 7300, 9100})
        QTest::addRow("after %d ms", ms) << ms;
}

void TestFaultMatrix::quitsCleanlyAtAnyMoment()
{
    QFETCH(int, quitAtMs);
    verifyCleanExit(runFault(m_model, "--delay 300", quitAtMs));
}

QTEST_GUILESS_MAIN(TestFaultMatrix)
#include "tst_faultmatrix.moc"
