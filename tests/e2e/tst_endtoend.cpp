// The whole chain as a person runs it: ndorix with its real serial channel,
// the plug-in, and iolink-sim on a pseudo-terminal.
#include "hostrun.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

namespace {

HostRun runHost(const QStringList &arguments)
{
    return runHost(qEnvironmentVariable("K4K_BIN") + "/ndorix", arguments);
}

QString firstModel()
{
    return runHost({"--list-sensors"}).out.section('\n', 0, 0);
}

// The parameter string of a settings file, id to value.
QMap<QString, QString> settingsValues(const QString &path)
{
    QFile file(path);
    QMap<QString, QString> values;
    if (!file.open(QIODevice::ReadOnly))
        return values;
    const QString data =
        QRegularExpression("<propertytreedata data=\"([^\"]*)\"").match(QString::fromUtf8(file.readAll())).captured(1);
    for (const QString &entry : data.split(';', Qt::SkipEmptyParts))
        values[entry.section('=', 0, 0)] = entry.section('=', 1, 1);
    return values;
}

} // namespace

class TestEndToEnd : public QObject
{
    Q_OBJECT
private slots:
    void scriptConfiguresOneSensorAndRecordsAnother();
};

// A production line's run: two sensors on two simulators whose devices
// differ from the description's defaults. The first takes the line's
// settings file, the second is read and saved; then the same run against
// devices of another kind.
void TestEndToEnd::scriptConfiguresOneSensorAndRecordsAnother()
{
    QTemporaryDir dir;
    const QString model = firstModel();
    const QString line = dir.filePath("line.wts");
    {
        QFile file(line);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QString("<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<root pluginid=\"IoLinkK4Kv7family\" "
                           "sensorid=\"%1\"><pluginsettings><propertytreedata data=\"SwitchingThresholdA1=1234.000000;"
                           "HysteresisA1=30.000000;SSC1CycleOffset=3;\"/></pluginsettings></root>\n")
                       .arg(model)
                       .toUtf8());
    }
    const QString saved = dir.filePath("second.wts");
    const QStringList script = {"--unattended", "--simulate", "2", "--open", model, "--auto-connect", "simulator:1",
                                "--settings", line, "--open", model, "--auto-connect", "simulator:2",
                                "--save-settings", saved, "--exit-when-done"};
    const HostRun run =
        runHost(QStringList{"--sim-args", "--dump-dir " + dir.path() + " --set SSC1CycleOffset=7 --set HysteresisA1=25"}
                + script);
    QVERIFY2(run.exitCode == 0, qPrintable(run.out));
    QCOMPARE(run.out.count(": ok"), 4);

    // What each device held when its simulator ended with the host.
    QList<QMap<QString, QString>> devices;
    const QRegularExpression pidLine("simulator \\d port: \\S+ pid: (\\d+)");
    for (auto it = pidLine.globalMatch(run.out); it.hasNext();) {
        QFile dump(dir.filePath("iolink-sim-" + it.next().captured(1) + ".txt"));
        QVERIFY2(dump.open(QIODevice::ReadOnly), qPrintable(dump.fileName()));
        QMap<QString, QString> values;
        for (const QString &entry : QString::fromUtf8(dump.readAll()).split('\n', Qt::SkipEmptyParts))
            values[entry.section('=', 0, 0)] = entry.section('=', 1);
        devices << values;
    }
    QCOMPARE(devices.size(), 2);
    QCOMPARE(devices[0].value("SwitchingThresholdA1"), QString("1234"));
    QCOMPARE(devices[0].value("HysteresisA1"), QString("30"));
    QCOMPARE(devices[0].value("SSC1CycleOffset"), QString("3"));

    // The saved file holds the second device's values, not the description's
    // defaults: every distance in it, and the numbers the simulator changed.
    const QMap<QString, QString> file = settingsValues(saved);
    QCOMPARE(file.value("SSC1CycleOffset"), QString("7"));
    QCOMPARE(file.value("HysteresisA1").toDouble(), 25.0);
    int distances = 0;
    for (auto it = file.cbegin(); it != file.cend(); ++it) {
        // The simulated distance's "off" marker has no value in the tree.
        if (!it.value().contains('.') || !devices[1].contains(it.key()) || it.key().startsWith("Simulation"))
            continue;
        ++distances;
        QVERIFY2(it.value().toDouble() == devices[1].value(it.key()).toDouble(),
                 qPrintable(it.key() + ": file " + it.value() + ", device " + devices[1].value(it.key())));
    }
    QVERIFY2(distances >= 10, qPrintable(QString::number(distances)));

    const HostRun refused = runHost(QStringList{"--sim-args", "--product-name Z9Z0000"} + script);
    QCOMPARE(refused.exitCode, 3);
    QVERIFY2(refused.out.contains(QRegularExpression("step 1: .*: failed \\(sensor refused")), qPrintable(refused.out));
}

QTEST_GUILESS_MAIN(TestEndToEnd)
#include "tst_endtoend.moc"
