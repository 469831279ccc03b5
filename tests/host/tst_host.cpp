// ndorix as a person starts it (list models, open one, take a screenshot)
// and as a script runs it, unattended, with several sensors.
#include "hostrun.h"

#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <boost/property_tree/ptree.hpp>
#include <boost/property_tree/xml_parser.hpp>

namespace {
QString bin() { return qEnvironmentVariable("K4K_BIN"); }

QStringList modelNames(const QString &file)
{
    boost::property_tree::ptree doc;
    boost::property_tree::read_xml(file.toStdString(), doc);
    QStringList names;
    for (const auto &child : doc.get_child("document.sensorList"))
        names << QString::fromStdString(child.second.get<std::string>("name"));
    return names;
}

// A copy of the host and plug-in in a folder of its own, with our catalogue.
bool stageHost(const QTemporaryDir &dir, const QString &catalogue)
{
    for (const char *name : {"ndorix", "IoLinkK4Kv7family.so"}) {
        if (!QFile::copy(bin() + "/" + name, dir.filePath(name)))
            return false;
    }
    QFile::setPermissions(dir.filePath("ndorix"), QFile::permissions(bin() + "/ndorix"));
    QFile file(dir.filePath("IoLinkK4Kv7family.xml"));
    return file.open(QIODevice::WriteOnly) && file.write(catalogue.toUtf8()) > 0;
}
} // namespace

class TestHost : public QObject
{
    Q_OBJECT
private slots:
    void listsModelsInFileOrder();
    void listsNothingForForeignFile_data();
    void listsNothingForForeignFile();
    void opensSensorAndTakesScreenshot();
    void scriptedRunEndsWithItsStatus_data();
    void scriptedRunEndsWithItsStatus();
    void twoSensorsPollTheirOwnSimulators();
    void killedHostLeavesNoSimulator();
};

void TestHost::listsModelsInFileOrder()
{
    const HostRun run = runHost(bin() + "/ndorix", {"--list-sensors"});
    QCOMPARE(run.exitCode, 0);
    const QStringList expected = modelNames(bin() + "/IoLinkK4Kv7family.xml");
    QCOMPARE(run.out.split('\n', Qt::SkipEmptyParts), expected);
}

void TestHost::listsNothingForForeignFile_data()
{
    QTest::addColumn<QString>("catalogue");
    const QString entries = "<sensorList><s><name>A</name><id>1</id></s></sensorList>";
    QTest::newRow("foreign documentId") << "<document><documentId>Another</documentId>" + entries + "</document>";
    QTest::newRow("no documentId") << "<document>" + entries + "</document>";
    QTest::newRow("truncated") << "<document><documentId>IoLinkK4Kv7family</documentId>" + entries.left(20);
    QTest::newRow("not XML") << "sensors: A";
    QTest::newRow("ours, as control")
        << "<document><documentId>IoLinkK4Kv7family</documentId>" + entries + "</document>";
}

void TestHost::listsNothingForForeignFile()
{
    QFETCH(QString, catalogue);
    QTemporaryDir dir;
    QVERIFY(stageHost(dir, catalogue));
    const HostRun run = runHost(dir.filePath("ndorix"), {"--list-sensors"});
    const bool ours = catalogue.endsWith("</document>") && catalogue.contains("<documentId>IoLinkK4Kv7family<");
    QCOMPARE(run.exitCode, ours ? 0 : 2);
    QCOMPARE(run.out.trimmed(), ours ? QString("A") : QString());
    // A broken file is named, with the reason, on standard error.
    QCOMPARE(run.err.contains(dir.filePath("IoLinkK4Kv7family.xml") + ": "), !ours);
}

void TestHost::opensSensorAndTakesScreenshot()
{
    QTemporaryDir dir;
    const QString shot = dir.filePath("host.png");
    const QString model = modelNames(bin() + "/IoLinkK4Kv7family.xml").value(0);
    const HostRun run = runHost(bin() + "/ndorix", {"--open", model, "--screenshot", shot, "--after", "300"});
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    QVERIFY2(run.out.contains("screenshot: " + shot), qPrintable(run.out));
    const QImage image(shot);
    QVERIFY(!image.isNull());
    QVERIFY(image.width() >= 800 && image.height() >= 500);
    // Unknown model: the host says so and still runs.
    const HostRun unknown = runHost(bin() + "/ndorix", {"--open", "No such model", "--screenshot", shot, "--after", "100"});
    QCOMPARE(unknown.exitCode, 0);
    QVERIFY(unknown.err.contains("no sensor model named"));
}

void TestHost::scriptedRunEndsWithItsStatus_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("said");
    const QString model = modelNames(bin() + "/IoLinkK4Kv7family.xml").value(0);
    const QStringList open = {"--simulate", "--open", model, "--auto-connect", "simulator"};
    QTest::newRow("unknown id") << open + QStringList{"--set", "NoSuchId=1", "--wait", "100"} << 5
                                << "no parameter with id NoSuchId";
    QTest::newRow("sensor of another family")
        << QStringList{"--sim-args", "--product-name Z9Z0000"} + open + QStringList{"--wait", "100"} << 3
        << "does not match currently selected sensor";
    // Silent from about the middle of the read-all step, after the connection.
    QTest::newRow("sensor falls silent")
        << QStringList{"--sim-args", "--silent-after 400"} + open + QStringList{"--read-all", "--wait", "100"} << 4
        << "sensor " + model + " lost";
    QTest::newRow("unreadable settings file")
        << open + QStringList{"--settings", "/nonexistent/x.wts"} << 6 << "cannot read /nonexistent/x.wts";
    QTest::newRow("save into a missing folder")
        << QStringList{"--open", model, "--save-settings", "/nonexistent/x.wts"} << 7
        << "save settings /nonexistent/x.wts failed";
    QTest::newRow("step before any sensor") << QStringList{"--set", "A=1", "--open", model} << 1
                                            << "--set needs an --open before it";
    QTest::newRow("second simulator not started") << QStringList{"--simulate", "--open", model, "--auto-connect",
                                                                 "simulator:2"}
                                                  << 2 << "simulator:2 names no running simulator";
}

void TestHost::scriptedRunEndsWithItsStatus()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QString, said);
    const HostRun run = runHost(bin() + "/ndorix", QStringList{"--unattended", "--exit-when-done"} + arguments);
    QVERIFY2(run.exitCode == status, qPrintable(run.out + run.err));
    QVERIFY2(run.err.contains(said), qPrintable(run.err));
    // Every step that ran says how it ended, the failed one included.
    if (status > 2)
        QVERIFY2(run.out.contains(QRegularExpression("step \\d+: .*: failed \\(")), qPrintable(run.out));
}

void TestHost::twoSensorsPollTheirOwnSimulators()
{
    QTemporaryDir dir;
    const QString trace = dir.filePath("frames.txt");
    const QString model = modelNames(bin() + "/IoLinkK4Kv7family.xml").value(0);
    const HostRun run = runHost(bin() + "/ndorix",
                                {"--unattended", "--simulate", "2", "--trace", trace, "--open", model,
                                 "--auto-connect", "simulator:1", "--open", model, "--connect-pc-to-sensor",
                                 "simulator:2",
                                 "--wait", "1500", "--exit-when-done"});
    QVERIFY2(run.exitCode == 0, qPrintable(run.out + run.err));
    QCOMPARE(run.out.count(QRegularExpression("step \\d: .*: ok")), 3);
    const QRegularExpression portLine("simulator (\\d) port: (\\S+)");
    QStringList ports;
    for (auto it = portLine.globalMatch(run.out); it.hasNext();)
        ports << it.next().captured(2);
    QCOMPARE(ports.size(), 2);
    QVERIFY(ports.at(0) != ports.at(1));

    // Each port carries its own sensor's polls, every one answered.
    QFile file(trace);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts);
    for (const QString &port : ports) {
        int polls = 0;
        for (const QString &line : lines) {
            if (line.contains(" " + port + " -> 02 70 22 <- 09 ")) {
                QVERIFY2(line.contains(" answered in "), qPrintable(line));
                ++polls;
            }
        }
        QVERIFY2(polls >= 5, qPrintable(port));
    }
}

namespace {
// Gone, or a zombie nobody has reaped yet: either way it no longer runs.
bool running(qint64 pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return false;
    const QByteArray text = stat.readAll();
    return text.mid(text.lastIndexOf(')') + 2, 1) != "Z";
}
} // namespace

void TestHost::killedHostLeavesNoSimulator()
{
    QProcess host;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    host.setProcessEnvironment(env);
    host.start(bin() + "/ndorix", {"--simulate", "2"});
    QList<qint64> pids;
    const QRegularExpression pidLine("simulator \\d port: \\S+ pid: (\\d+)");
    QString out;
    QTRY_VERIFY_WITH_TIMEOUT((out += host.readAllStandardOutput(), out.count(pidLine) == 2), 30000);
    for (auto it = pidLine.globalMatch(out); it.hasNext();)
        pids << it.next().captured(1).toLongLong();
    for (qint64 pid : qAsConst(pids))
        QVERIFY(running(pid));
    host.kill(); // SIGKILL: the host gets no chance to end them itself
    QVERIFY(host.waitForFinished(10000));
    for (qint64 pid : qAsConst(pids))
        QTRY_VERIFY_WITH_TIMEOUT(!running(pid), 10000);
}

QTEST_GUILESS_MAIN(TestHost)
#include "tst_host.moc"
