// ndorix as a person starts it: list models, open one, take a screenshot.
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <boost/property_tree/ptree.hpp>
#include <boost/property_tree/xml_parser.hpp>

namespace {
QString bin() { return qEnvironmentVariable("K4K_BIN"); }

struct Run
{
    int exitCode = -1;
    QString out;
    QString err;
};

Run runHost(const QString &program, const QStringList &arguments, int timeoutMs = 60000)
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    process.setProcessEnvironment(env);
    process.start(program, arguments);
    Run run;
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished();
        run.err = "timed out";
        return run;
    }
    run.exitCode = process.exitCode();
    run.out = QString::fromLocal8Bit(process.readAllStandardOutput());
    run.err = QString::fromLocal8Bit(process.readAllStandardError());
    return run;
}

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
};

void TestHost::listsModelsInFileOrder()
{
    const Run run = runHost(bin() + "/ndorix", {"--list-sensors"});
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
    const Run run = runHost(dir.filePath("ndorix"), {"--list-sensors"});
    const bool ours = catalogue.endsWith("</document>") && catalogue.contains("<documentId>IoLinkK4Kv7family<");
    QCOMPARE(run.exitCode, ours ? 0 : 3);
    QCOMPARE(run.out.trimmed(), ours ? QString("A") : QString());
    // A broken file is named, with the reason, on standard error.
    QCOMPARE(run.err.contains(dir.filePath("IoLinkK4Kv7family.xml") + ": "), !ours);
}

void TestHost::opensSensorAndTakesScreenshot()
{
    QTemporaryDir dir;
    const QString shot = dir.filePath("host.png");
    const QString model = modelNames(bin() + "/IoLinkK4Kv7family.xml").value(0);
    const Run run = runHost(bin() + "/ndorix", {"--open", model, "--screenshot", shot, "--after", "300"});
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    QVERIFY2(run.out.contains("screenshot: " + shot), qPrintable(run.out));
    const QImage image(shot);
    QVERIFY(!image.isNull());
    QVERIFY(image.width() >= 800 && image.height() >= 500);
    // Unknown model: the host says so and still runs.
    const Run unknown = runHost(bin() + "/ndorix", {"--open", "No such model", "--screenshot", shot, "--after", "100"});
    QCOMPARE(unknown.exitCode, 0);
    QVERIFY(unknown.err.contains("no sensor model named"));
}

QTEST_GUILESS_MAIN(TestHost)
#include "tst_host.moc"
