// Settings files through the window: the exact document, round trips under
// several locales, each refusal, partial files, the parameter-string corner
// cases, and a failed save that keeps the old file.

#include "k4ktest.h"
#include "sensorwindowprobe.h"

#include "persistence/dialoglayer.h"
#include "persistence/settingsfile.h"

#include <qtproperty.h>
#include <qtpropertymanager.h>

#include <QtTest>

#include <clocale>
#include <csignal>
#include <sys/resource.h>

using namespace K4KTest;
using namespace DirazSensorPlugin::Core;

namespace {

const QString kItems = QStringLiteral("<items><a><en>A</en></a><b><en>B</en></b><c><en>C</en></c></items>");

// Pre-order: a group with three children, then the rest at top level.
QString smallTree()
{
    return QStringLiteral("<property><type>category</type><id>Group</id><text><en>Group</en></text>")
           + node("enumerator", "Mode", kItems + "<defaultvalue>1</defaultvalue>")
           + node("bool", "On", "<defaultvalue>1</defaultvalue>")
           + node("int", "Count", "<min>0</min><max>100</max><defaultvalue>42</defaultvalue>")
           + QStringLiteral("</property>")
           + node("double", "Level", "<min>0</min><max>200000</max><defaultvalue>2.5</defaultvalue>")
           + node("string", "FunctionTag", "<isString>true</isString><defaultvalue>hi</defaultvalue>")
           + node("string", "SerialReadOnly", "<isString>true</isString><defaultvalue>S1</defaultvalue>")
           + node("action", "Go");
}

QByteArray header(const QString &pluginId = QStringLiteral("IoLinkK4Kv7family"), const QString &sensorId = QString())
{
    return QStringLiteral("<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<root pluginid=\"%1\" sensorid=\"%2\">\n")
        .arg(pluginId, sensorId)
        .toUtf8();
}

QByteArray settingsDocument(const QString &data, const QString &charts = QString())
{
    return header() + "    <pluginsettings>\n        <propertytreedata data=\"" + data.toUtf8() + "\"/>\n"
           + charts.toUtf8() + "    </pluginsettings>\n</root>\n";
}

struct Fixture
{
    Fixture() : file(document(smallTree())), window(nullptr, file.path()) {}
    QString path(const QString &name) const { return dir.path() + QLatin1Char('/') + name; }
    QString write(const QByteArray &bytes)
    {
        const QString p = path(QStringLiteral("in.wts"));
        QFile f(p);
        f.open(QIODevice::WriteOnly | QIODevice::Truncate);
        f.write(bytes);
        return p;
    }
    QVariant value(const char *id) { return window.findProperty(QString::fromLatin1(id))->valueText(); }
    QString saveToBytes(QByteArray *bytes)
    {
        const QString p = path(QStringLiteral("out.wts"));
        DialogLayer::enqueueFileName(p);
        window.vSaveSettings();
        QFile f(p);
        f.open(QIODevice::ReadOnly);
        *bytes = f.readAll();
        return p;
    }

    QTemporaryDir dir;
    DescriptionFile file;
    SensorWindowProbe window;
};

} // namespace

class SettingsFileTest : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        DialogLayer::setTestMode(true);
        DialogLayer::reset();
    }

    void savesTheExactDocument()
    {
        Fixture f;
        QByteArray bytes;
        f.saveToBytes(&bytes);
        const QByteArray charts = "        <chartdata1 data=\"\"/>\n        <chartdata2 data=\"\"/>\n"
                                  "        <chartdata3 data=\"\"/>\n";
        QCOMPARE(bytes, settingsDocument("Mode=1;On=1;Count=42;Level=2.500000;FunctionTag=hi;", charts));
    }

    void roundTripUnderLocale_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::newRow("C") << "C";
        QTest::newRow("de_DE") << "de_DE.UTF-8";
    }
    void roundTripUnderLocale()
    {
        QFETCH(QString, locale);
        const QLocale before;
        QLocale::setDefault(QLocale(locale.left(5)));
        std::setlocale(LC_ALL, locale.toLatin1().constData());
        Fixture f;
        auto &d = f.window.p();
        const QString tag = QStringLiteral("Prüfstand Süd – 5 €");
        d.stringManager->setValue(f.window.findProperty("FunctionTag"), tag);
        d.doubleManager->setValue(f.window.findProperty("Level"), 1234.75);
        d.enumManager->setValue(f.window.findProperty("Mode"), 2);
        QByteArray bytes;
        const QString saved = f.saveToBytes(&bytes);
        QVERIFY2(bytes.contains("Level=1234.750000;"), bytes.constData());

        Fixture g;
        QVERIFY(g.window.bOpenSettings(saved));
        std::setlocale(LC_ALL, "C");
        QLocale::setDefault(before);
        QCOMPARE(g.window.p().stringManager->value(g.window.findProperty("FunctionTag")), tag);
        QCOMPARE(g.window.p().doubleManager->value(g.window.findProperty("Level")), 1234.75);
        QCOMPARE(g.window.p().enumManager->value(g.window.findProperty("Mode")), 2);
        QCOMPARE(DialogLayer::takeShown().size(), 1); // the save dialog, no message
    }

    void refusals_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("text");
        const QString corrupted = QStringLiteral("The selected settings are corupted");
        const QString other = QStringLiteral("The selected settings are not for the current sensor");
        QTest::newRow("empty file") << QByteArray() << corrupted;
        QTest::newRow("not XML") << QByteArray("Mode=2;") << corrupted;
        QTest::newRow("truncated") << settingsDocument("Mode=2;").left(80) << corrupted;
        QTest::newRow("no root") << QByteArray("<settings pluginid=\"IoLinkK4Kv7family\" sensorid=\"\"/>") << corrupted;
        QTest::newRow("other plug-in") << QByteArray(header("Other") + "</root>") << other;
        QTest::newRow("other sensor") << QByteArray(header("IoLinkK4Kv7family", "K4K-X") + "</root>") << other;
        QTest::newRow("no sensorid") << QByteArray("<root pluginid=\"IoLinkK4Kv7family\"/>") << other;
    }
    void refusals()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, text);
        Fixture f;
        QVERIFY(!f.window.bOpenSettings(f.write(content)));
        const QList<DialogLayer::Shown> shown = DialogLayer::takeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].kind, DialogLayer::Kind::Critical);
        QCOMPARE(shown[0].title, QStringLiteral("Opening settings..."));
        QCOMPARE(shown[0].text, text);
        QCOMPARE(f.value("Count").toString(), QStringLiteral("42"));
    }

    // What a file that opens applies; the parts missing are skipped.
    void appliesWhatIsThere_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("tag");
        QTest::addColumn<int>("count");
        QTest::addColumn<double>("level");
        QTest::newRow("no pluginsettings") << QByteArray(header() + "</root>") << "hi" << 42 << 2.5;
        QTest::newRow("no propertytreedata")
            << QByteArray(header() + "<pluginsettings><chartdata2 data=\"\"/></pluginsettings></root>") << "hi" << 42
            << 2.5;
        QTest::newRow("value with '=' ends there") << settingsDocument("FunctionTag=a=b;Count=7;") << "a" << 7 << 2.5;
        QTest::newRow("value with ';' splits") << settingsDocument("FunctionTag=a;b;Count=8") << "a" << 8 << 2.5;
        QTest::newRow("unknown ids and junk skipped") << settingsDocument(";Nope=3;;=;Count=9x;") << "hi" << 9 << 2.5;
        QTest::newRow("decimal clamped to 100000") << settingsDocument("Level=150000.5;") << "hi" << 42 << 100000.0;
        QTest::newRow("numbers read from their leading digits")
            << settingsDocument("Count= -3abc;Level=12.5e1x;") << "hi" << 0 << 125.0;
    }
    void appliesWhatIsThere()
    {
        QFETCH(QByteArray, content);
        Fixture f;
        auto &d = f.window.p();
        QVERIFY(f.window.bOpenSettings(f.write(content)));
        QVERIFY(DialogLayer::takeShown().isEmpty());
        QTEST(d.stringManager->value(f.window.findProperty("FunctionTag")), "tag");
        QTEST(d.intManager->value(f.window.findProperty("Count")), "count");
        QTEST(d.doubleManager->value(f.window.findProperty("Level")), "level");
    }

    void failedSaveKeepsTheOldFile()
    {
        Fixture f;
        const QString target = f.path(QStringLiteral("out.wts"));
        QFile old(target);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("old");
        old.close();
        // A file-size limit makes the write fail even for root.
        rlimit saved{};
        getrlimit(RLIMIT_FSIZE, &saved);
        rlimit small = saved;
        small.rlim_cur = 16;
        std::signal(SIGXFSZ, SIG_IGN);
        setrlimit(RLIMIT_FSIZE, &small);
        DialogLayer::enqueueFileName(target);
        f.window.vSaveSettings();
        setrlimit(RLIMIT_FSIZE, &saved);
        QVERIFY(old.open(QIODevice::ReadOnly));
        QCOMPARE(old.readAll(), QByteArray("old"));
        const QList<DialogLayer::Shown> shown = DialogLayer::takeShown();
        QCOMPARE(shown.size(), 2);
        QCOMPARE(shown[1].title, QStringLiteral("Saving settings..."));
        QVERIFY(shown[1].text.contains(target));
        QCOMPARE(QDir(f.dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("out.wts")});
    }
};

QTEST_MAIN(SettingsFileTest)
#include "tst_settingsfile.moc"
