// The catalogue readers against small files of our own.
#include "k4ktest.h"

#include "catalogue/catalogue.h"
#include "catalogue/descriptionfile.h"

#include <extensionsystem/globals.h>

#include <QtTest>

using DirazSensorPlugin::Core::catalogueList;
using DirazSensorPlugin::Core::catalogueLookup;
using DirazSensorPlugin::Core::Sensor;
using K4KTest::DescriptionFile;

namespace {

QString entry(const QString &name, const QString &id, const QString &extra = QString())
{
    QString xml = "<sensor>";
    if (!name.isNull())
        xml += "<name>" + name + "</name>";
    if (!id.isNull())
        xml += "<id>" + id + "</id>";
    return xml + extra + "</sensor>";
}

QString document(const QString &entries, const QString &documentId = "IoLinkK4Kv7family")
{
    QString xml = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<document>";
    if (!documentId.isNull())
        xml += "<documentId>" + documentId + "</documentId>";
    if (!entries.isNull())
        xml += "<sensorList>" + entries + "</sensorList>";
    return xml + "<treeGui><default/></treeGui></document>";
}

QStringList names(const std::list<ExtensionSystem::SensorBasic> &list)
{
    QStringList result;
    for (const auto &sensor : list)
        result << QString::fromStdString(sensor.name());
    return result;
}

} // namespace

class TestCatalogue : public QObject
{
    Q_OBJECT
private slots:
    void listKeepsFileOrderAndDropsRejected()
    {
        DescriptionFile file(document(entry("Beta", "B") + entry("Alpha", "A") + entry("NoId", QString())
                                    + entry("Gamma", "G", "<sensors><s><ID3>R</ID3></s></sensors>")));
        const auto list = catalogueList(file.path());
        QCOMPARE(names(list), QStringList({"Beta", "Alpha", "Gamma"}));
        QCOMPARE(QString::fromStdString(list.back().id()), QString("G"));
    }

    void unusableFilesGiveNothing_data()
    {
        QTest::addColumn<QString>("content");
        QTest::addColumn<QString>("reason");
        const QString nested = [](int levels) {
            return "<document><documentId>IoLinkK4Kv7family</documentId><sensorList>" + entry("A", "1")
                   + "</sensorList>" + QString("<p>").repeated(levels - 1) + QString("</p>").repeated(levels - 1)
                   + "</document>";
        }(65);
        QTest::newRow("foreign documentId") << document(entry("A", "1"), "OtherFamily") << "OtherFamily";
        QTest::newRow("documentId in other case") << document(entry("A", "1"), "iolinkk4kv7family") << "documentId";
        QTest::newRow("no documentId") << document(entry("A", "1"), QString()) << "documentId";
        QTest::newRow("no sensorList") << document(QString()) << "sensorList";
        QTest::newRow("no usable entry") << document(entry("A", QString())) << "no model";
        QTest::newRow("not XML") << QString("this is not a catalogue <") << "XML";
        QTest::newRow("truncated") << document(entry("A", "1")).left(90) << "XML";
        QTest::newRow("empty file") << QString("") << "empty";
        QTest::newRow("one level too deep") << nested << "65 levels";
        // Deep enough to overflow the stack of a recursive parser.
        QTest::newRow("deeply nested") << "<document>" + QString("<p>").repeated(100000) << "100001 levels";
    }

    void unusableFilesGiveNothing()
    {
        QFETCH(QString, content);
        QFETCH(QString, reason);
        DescriptionFile file(content);
        std::string error;
        QVERIFY(catalogueList(file.path(), &error).empty());
        QVERIFY2(QString::fromStdString(error).startsWith(QString::fromStdString(file.path()) + ": "), error.c_str());
        QVERIFY2(QString::fromStdString(error).contains(reason), error.c_str());
        const Sensor sensor = catalogueLookup("A", file.path());
        QVERIFY(sensor.name().empty());
        QVERIFY(sensor.variants().empty());
        // A missing file behaves the same.
        QVERIFY(catalogueList("/nonexistent/IoLinkK4Kv7family.xml", &error).empty());
        QVERIFY(QString::fromStdString(error).contains("cannot open"));
    }

    void nestingDepth_data()
    {
        QTest::addColumn<QString>("xml");
        QTest::addColumn<int>("depth");
        QTest::newRow("flat") << "<a/><b></b>" << 1;
        QTest::newRow("nested") << "<?xml version=\"1.0\"?><a><b><c>x</c></b><d/></a>" << 3;
        QTest::newRow("markup in comment, CDATA, attribute")
            << "<a><!-- <b><c> --><![CDATA[<b><c>]]><b t=\"x>y\" u='<z>'>1</b></a>" << 2;
        QTest::newRow("unclosed") << "<a><b><c" << 3;
        QTest::newRow("stray closings") << "</x></y><a>" << 1;
    }

    void nestingDepth()
    {
        QFETCH(QString, xml);
        const QByteArray text = xml.toUtf8();
        QTEST(DirazSensorPlugin::Core::xmlNestingDepth(text.constData(), std::size_t(text.size())), "depth");
    }

    void lookupTakesFirstOfEqualNames()
    {
        DescriptionFile file(document(entry("Other", "0") + entry("Twin", "first", "<portsettings><linedelay>7</linedelay></portsettings>")
                                    + entry("Twin", "second", "<portsettings><linedelay>9</linedelay></portsettings>")));
        const Sensor sensor = catalogueLookup("Twin", file.path());
        QCOMPARE(QString::fromStdString(sensor.id()), QString("first"));
        QCOMPARE(sensor.lineDelay(), 7);
        QVERIFY(catalogueLookup("Nobody", file.path()).name().empty());
        // The search stops at an entry without a name.
        DescriptionFile stops(document(entry(QString(), "x") + entry("After", "A")));
        QVERIFY(catalogueLookup("After", stops.path()).name().empty());
    }

    // Keys an entry may carry, read as the host reads them.
    void entryKeys_data()
    {
        QTest::addColumn<QString>("extra");
        QTest::addColumn<int>("character");
        QTest::addColumn<int>("line");
        QTest::addColumn<bool>("readOnly");
        const auto delays = [](const QString &c, const QString &l) {
            return "<portsettings><characterdelay>" + c + "</characterdelay><linedelay>" + l + "</linedelay></portsettings>";
        };
        const auto marks = [](const QString &value) {
            return "<chartsettings><thresholdsreadonly>" + value + "</thresholdsreadonly></chartsettings>";
        };
        QTest::newRow("delays") << delays("3", "25") << 3 << 25 << false;
        QTest::newRow("delays as text are zero") << delays("fast", "slow") << 0 << 0 << false;
        QTest::newRow("delay with trailing text") << delays("4ms", "12") << 0 << 12 << false;
        QTest::newRow("nothing") << "" << 0 << 0 << false;
        QTest::newRow("read-only marks 1") << marks("1") << 0 << 0 << true;
        QTest::newRow("read-only marks non-zero") << marks("17") << 0 << 0 << true;
        QTest::newRow("read-only marks 0") << marks("0") << 0 << 0 << false;
        QTest::newRow("read-only marks word true") << marks("true") << 0 << 0 << false;
        QTest::newRow("empty chartsettings") << "<chartsettings/>" << 0 << 0 << false;
    }

    void entryKeys()
    {
        QFETCH(QString, extra);
        DescriptionFile file(document(entry("M", "1", extra)));
        const Sensor sensor = catalogueLookup("M", file.path());
        QCOMPARE(sensor.name(), std::string("M"));
        QTEST(sensor.characterDelay(), "character");
        QTEST(sensor.lineDelay(), "line");
        QTEST(sensor.thresholdsReadOnly(), "readOnly");
    }

    void languageTakenAtConstruction()
    {
        ExtensionSystem::Globals::setLanguage("de");
        const Sensor german;
        ExtensionSystem::Globals::setLanguage("en");
        QCOMPARE(german.language(), std::string("de"));
        QCOMPARE(Sensor().language(), std::string("en"));
    }
};

QTEST_GUILESS_MAIN(TestCatalogue)
#include "tst_catalogue.moc"
