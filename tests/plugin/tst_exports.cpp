// The plug-in library as the host sees it: seven exports found by name.
#include <extensionsystem/sensorbasic.h>

#include <QLibrary>
#include <QtTest>

#include <boost/property_tree/ptree.hpp>
#include <boost/property_tree/xml_parser.hpp>
#include <list>

class TestExports : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void identityTexts_data();
    void identityTexts();
    void sensorMapReplacesHostList();

private:
    QLibrary m_library;
};

void TestExports::initTestCase()
{
    m_library.setFileName(qEnvironmentVariable("K4K_BIN") + "/IoLinkK4Kv7family.so");
    QVERIFY2(m_library.load(), qPrintable(m_library.errorString()));
    for (const char *name : {"vInitialisePlugin", "pcMorvaleNDorixPluginName", "pcPluginVersion", "pcDescription",
                             "pcCommunicationType", "vSensorMap", "poGetInterfaceInstance"})
        QVERIFY2(m_library.resolve(name), name);
}

void TestExports::identityTexts_data()
{
    QTest::addColumn<QByteArray>("symbol");
    QTest::addColumn<QByteArray>("text");
    QTest::newRow("name") << QByteArray("pcMorvaleNDorixPluginName") << QByteArray("IoLinkK4Kv7family");
    QTest::newRow("version") << QByteArray("pcPluginVersion") << QByteArray("1.0.0");
    QTest::newRow("description, two blanks after JR5")
        << QByteArray("pcDescription")
        << QByteArray("Plugin for handling MASTER IO_LINK-JR5  MORVALE ultra sonic sensors family");
    QTest::newRow("communication") << QByteArray("pcCommunicationType") << QByteArray("SERIAL");
}

void TestExports::identityTexts()
{
    QFETCH(QByteArray, symbol);
    QFETCH(QByteArray, text);
    auto fn = reinterpret_cast<const char *(*)()>(m_library.resolve(symbol.constData()));
    QVERIFY(fn);
    QCOMPARE(QByteArray(fn()), text);
    // Static text: the same pointer every time.
    QCOMPARE(fn(), fn());
}

void TestExports::sensorMapReplacesHostList()
{
    auto sensorMap = reinterpret_cast<void (*)(std::list<ExtensionSystem::SensorBasic> *)>(m_library.resolve("vSensorMap"));
    std::list<ExtensionSystem::SensorBasic> hostList(3);
    sensorMap(&hostList);

    // The models named in the shipped file beside the program, in order.
    boost::property_tree::ptree doc;
    boost::property_tree::read_xml((qEnvironmentVariable("K4K_BIN") + "/IoLinkK4Kv7family.xml").toStdString(), doc);
    std::vector<std::string> expected;
    for (const auto &child : doc.get_child("document.sensorList"))
        expected.push_back(child.second.get<std::string>("name"));
    QVERIFY(expected.size() >= 2);
    QCOMPARE(hostList.size(), expected.size());
    auto it = hostList.begin();
    for (const std::string &name : expected) {
        QCOMPARE(it->name(), name);
        QVERIFY(!it->id().empty());
        ++it;
    }
}

QTEST_GUILESS_MAIN(TestExports)
#include "tst_exports.moc"
