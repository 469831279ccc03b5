// The catalogue readers against small files of our own.
#include "k4ktest.h"

#include "catalogue/catalogue.h"

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
    void listKeepsFileOrderAndDropsRejected();
    void unusableFilesGiveNothing_data();
    void unusableFilesGiveNothing();
    void lookupTakesFirstOfEqualNames();
    void lookupStopsAtEntryWithoutName();
    void delays_data();
    void delays();
    void thresholdsReadOnly_data();
    void thresholdsReadOnly();
    void variants();
    void languageTakenAtConstruction();
};

void TestCatalogue::listKeepsFileOrderAndDropsRejected()
{
    DescriptionFile file(document(entry("Beta", "B") + entry("Alpha", "A") + entry("NoId", QString())
                                + entry("Gamma", "G", "<sensors><s><ID3>R</ID3></s></sensors>")));
    const auto list = catalogueList(file.path());
    QCOMPARE(names(list), QStringList({"Beta", "Alpha", "Gamma"}));
    QCOMPARE(QString::fromStdString(list.back().id()), QString("G"));
}

void TestCatalogue::unusableFilesGiveNothing_data()
{
    QTest::addColumn<QString>("content");
    QTest::newRow("foreign documentId") << document(entry("A", "1"), "OtherFamily");
    QTest::newRow("documentId in other case") << document(entry("A", "1"), "iolinkk4kv7family");
    QTest::newRow("no documentId") << document(entry("A", "1"), QString());
    QTest::newRow("no sensorList") << document(QString());
    QTest::newRow("not XML") << QString("this is not a catalogue <");
    QTest::newRow("empty file") << QString();
}

void TestCatalogue::unusableFilesGiveNothing()
{
    QFETCH(QString, content);
    DescriptionFile file(content);
    QVERIFY(catalogueList(file.path()).empty());
    const Sensor sensor = catalogueLookup("A", file.path());
    QVERIFY(sensor.name().empty());
    QVERIFY(sensor.variants().empty());
    // A missing file behaves the same.
    QVERIFY(catalogueList("/nonexistent/IoLinkK4Kv7family.xml").empty());
}

void TestCatalogue::lookupTakesFirstOfEqualNames()
{
    DescriptionFile file(document(entry("Other", "0") + entry("Twin", "first", "<portsettings><linedelay>7</linedelay></portsettings>")
                                + entry("Twin", "second", "<portsettings><linedelay>9</linedelay></portsettings>")));
    const Sensor sensor = catalogueLookup("Twin", file.path());
    QCOMPARE(QString::fromStdString(sensor.id()), QString("first"));
    QCOMPARE(sensor.lineDelay(), 7);
    QVERIFY(catalogueLookup("Nobody", file.path()).name().empty());
}

void TestCatalogue::lookupStopsAtEntryWithoutName()
{
    DescriptionFile file(document(entry(QString(), "x") + entry("After", "A")));
    QVERIFY(catalogueLookup("After", file.path()).name().empty());
}

void TestCatalogue::delays_data()
{
    QTest::addColumn<QString>("portsettings");
    QTest::addColumn<int>("character");
    QTest::addColumn<int>("line");
    QTest::newRow("numbers") << "<characterdelay>3</characterdelay><linedelay>25</linedelay>" << 3 << 25;
    QTest::newRow("text is zero") << "<characterdelay>fast</characterdelay><linedelay>slow</linedelay>" << 0 << 0;
    QTest::newRow("number with trailing text") << "<characterdelay>4ms</characterdelay><linedelay>12</linedelay>" << 0 << 12;
    QTest::newRow("absent") << "" << 0 << 0;
}

void TestCatalogue::delays()
{
    QFETCH(QString, portsettings);
    QFETCH(int, character);
    QFETCH(int, line);
    DescriptionFile file(document(entry("M", "1", "<portsettings>" + portsettings + "</portsettings>")));
    const Sensor sensor = catalogueLookup("M", file.path());
    QCOMPARE(sensor.name(), std::string("M"));
    QCOMPARE(sensor.characterDelay(), character);
    QCOMPARE(sensor.lineDelay(), line);
}

void TestCatalogue::thresholdsReadOnly_data()
{
    QTest::addColumn<QString>("chartsettings");
    QTest::addColumn<bool>("readOnly");
    QTest::newRow("1") << "<chartsettings><thresholdsreadonly>1</thresholdsreadonly></chartsettings>" << true;
    QTest::newRow("any non-zero") << "<chartsettings><thresholdsreadonly>17</thresholdsreadonly></chartsettings>" << true;
    QTest::newRow("0") << "<chartsettings><thresholdsreadonly>0</thresholdsreadonly></chartsettings>" << false;
    QTest::newRow("word true") << "<chartsettings><thresholdsreadonly>true</thresholdsreadonly></chartsettings>" << false;
    QTest::newRow("absent key") << "<chartsettings/>" << false;
    QTest::newRow("no chartsettings") << "" << false;
}

void TestCatalogue::thresholdsReadOnly()
{
    QFETCH(QString, chartsettings);
    QFETCH(bool, readOnly);
    DescriptionFile file(document(entry("M", "1", chartsettings)));
    QCOMPARE(catalogueLookup("M", file.path()).thresholdsReadOnly(), readOnly);
}

void TestCatalogue::variants()
{
    DescriptionFile file(document(entry("M", "1", "<sensors><a><ID3>R</ID3></a><b><ID3>X</ID3><bluetooth>0</bluetooth></b></sensors>")));
    const Sensor found = catalogueLookup("M", file.path());
    QCOMPARE(found.variants().size(), size_t(2));
    QCOMPARE(found.variants().get<std::string>("b.ID3"), std::string("X"));
}

void TestCatalogue::languageTakenAtConstruction()
{
    ExtensionSystem::Globals::setLanguage("de");
    const Sensor german;
    ExtensionSystem::Globals::setLanguage("en");
    QCOMPARE(german.language(), std::string("de"));
    QCOMPARE(Sensor().language(), std::string("en"));
}

QTEST_GUILESS_MAIN(TestCatalogue)
#include "tst_catalogue.moc"
