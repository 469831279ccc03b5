// The interface object between host and window: port switching and relays.
#include "plugin/sensorinterface.h"
#include "window/sensorwindow.h"

#include <extensionsystem/communicationinterface.h>
#include <extensionsystem/connectionregistry.h>

#include <QComboBox>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QtTest>

using DirazSensorPlugin::Core::SensorInterface;
using DirazSensorPlugin::Core::SensorWindow;
using namespace ExtensionSystem;

namespace {

class FakeChannel : public CommunicationInterface
{
public:
    void sendText(const std::string &bytes) override { texts.push_back(bytes); }
    unsigned int sendFrame(DataFrame *) override { return 0; }
    void setPortSettings(const PortSettings &s) override { settings = s; }
    const PortSettings &portSettings() const override { return settings; }
    std::vector<std::string> texts;
    PortSettings settings;
};

// Records the calls in order; hands out its channel unless told not to.
class FakeRegistry : public ConnectionRegistry
{
public:
    FakeRegistry() { setInstance(this); }
    ~FakeRegistry() override { setInstance(nullptr); }
    void registerConnection(const PortSettings &settings, CommunicationInterface **channel, PluginInterface *) override
    {
        calls << "register " + settings.portName;
        lastSettings = settings;
        *channel = refuse ? nullptr : &fake;
    }
    void unregisterConnection(PluginInterface *) override { calls << "unregister"; }
    void unregisterPlugin(PluginInterface *) override { calls << "unregister plugin"; }

    QStringList calls;
    PortSettings lastSettings;
    bool refuse = false;
    FakeChannel fake;
};

} // namespace

class TestSensorInterface : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void identity();
    void portSwitching_data();
    void portSwitching();
    void refusedRegistrationLeavesWindowAlone();
    void delaysComeFromCatalogue();
    void sendDataNeedsChannel();
    void destructionUnregistersPlugin();
    void nullSubWindowCreatesNothing();

private:
    std::unique_ptr<FakeRegistry> m_registry;
    std::unique_ptr<QMdiArea> m_area;
    QMdiSubWindow *m_sub = nullptr;
    ExtensionSystem::SensorBasic m_record;
};

void TestSensorInterface::init()
{
    m_registry = std::make_unique<FakeRegistry>();
    m_area = std::make_unique<QMdiArea>();
    m_sub = m_area->addSubWindow(new QWidget);
}

void TestSensorInterface::cleanup()
{
    m_area.reset();
    m_registry.reset();
}

void TestSensorInterface::identity()
{
    SensorInterface object(&m_record, m_sub);
    QCOMPARE(object.getPluginName(), QString("DirazSensorPlugin"));
    QCOMPARE(object.getPluginGroup(), QString("DirazSensors"));
    QVERIFY(object.getExtraItems().isEmpty());
    QVERIFY(object.getSensorName().isEmpty());
    object.setSensorName("front left");
    QCOMPARE(object.getSensorName(), QString("front left"));
    QCOMPARE(m_sub->widget(), static_cast<QWidget *>(object.window()));
    QVERIFY(!object.isConnected());
}

void TestSensorInterface::portSwitching_data()
{
    // Ports chosen one after another ("" is Offline) and the registry calls they cause.
    QTest::addColumn<QStringList>("choices");
    QTest::addColumn<QStringList>("calls");
    QTest::addColumn<bool>("connected");

    QTest::newRow("first port registers") << QStringList{"/dev/ttyA"} << QStringList{"register /dev/ttyA"} << true;
    QTest::newRow("same port again changes nothing")
        << QStringList{"/dev/ttyA", "/dev/ttyA"} << QStringList{"register /dev/ttyA"} << true;
    QTest::newRow("other port unregisters first")
        << QStringList{"/dev/ttyA", "/dev/ttyB"} << QStringList{"register /dev/ttyA", "unregister", "register /dev/ttyB"}
        << true;
    QTest::newRow("offline while not connected does nothing") << QStringList{""} << QStringList{} << false;
    QTest::newRow("offline after a port releases it")
        << QStringList{"/dev/ttyA", ""} << QStringList{"register /dev/ttyA", "unregister"} << false;
    QTest::newRow("port again after offline registers again")
        << QStringList{"/dev/ttyA", "", "/dev/ttyA"}
        << QStringList{"register /dev/ttyA", "unregister", "register /dev/ttyA"} << true;
}

void TestSensorInterface::portSwitching()
{
    QFETCH(QStringList, choices);
    QFETCH(QStringList, calls);
    QFETCH(bool, connected);
    SensorInterface object(&m_record, m_sub);
    for (const QString &port : choices)
        emit object.window()->vComPortSelected(port);
    QCOMPARE(m_registry->calls, calls);
    QCOMPARE(object.isConnected(), connected);
    QCOMPARE(object.window()->serialChannel(), connected ? &m_registry->fake : nullptr);
}

void TestSensorInterface::refusedRegistrationLeavesWindowAlone()
{
    SensorInterface object(&m_record, m_sub);
    emit object.window()->vComPortSelected("/dev/ttyA");
    QCOMPARE(object.window()->serialChannel(), &m_registry->fake);
    m_registry->refuse = true;
    emit object.window()->vComPortSelected("/dev/ttyB");
    QVERIFY(!object.isConnected());
    // The registry gave nothing; the window keeps what it had.
    QCOMPARE(object.window()->serialChannel(), &m_registry->fake);
    // Offline is a no-op now: the object is not connected.
    m_registry->calls.clear();
    emit object.window()->vComPortSelected("");
    QVERIFY(m_registry->calls.isEmpty());
}

void TestSensorInterface::delaysComeFromCatalogue()
{
    SensorInterface object(&m_record, m_sub);
    emit object.window()->vComPortSelected("/dev/ttyA");
    const auto &sensor = object.window()->sensor();
    QCOMPARE(m_registry->lastSettings.characterDelay, sensor.characterDelay());
    QCOMPARE(m_registry->lastSettings.lineDelay, sensor.lineDelay());
    QCOMPARE(m_registry->lastSettings.reserved, 0);
    QCOMPARE(m_registry->lastSettings.portName, QString("/dev/ttyA"));
}

void TestSensorInterface::sendDataNeedsChannel()
{
    SensorInterface object(&m_record, m_sub);
    emit object.window()->vSendData("dropped");
    QVERIFY(m_registry->fake.texts.empty());
    emit object.window()->vComPortSelected("/dev/ttyA");
    emit object.window()->vSendData(QString::fromLatin1("T\xe4st"));
    QCOMPARE(m_registry->fake.texts.size(), size_t(1));
    QCOMPARE(m_registry->fake.texts.front(), std::string("T\xe4st"));
}

void TestSensorInterface::destructionUnregistersPlugin()
{
    {
        SensorInterface object(&m_record, m_sub);
        emit object.window()->vAboutToClose();
        QCOMPARE(m_registry->calls, QStringList{"unregister"});
    }
    QCOMPARE(m_registry->calls, QStringList({"unregister", "unregister plugin"}));
}

void TestSensorInterface::nullSubWindowCreatesNothing()
{
    using CreateFn = PluginInterface *(*)(const SensorBasic *, QMdiSubWindow *);
    QLibrary library(qEnvironmentVariable("K4K_BIN") + "/IoLinkK4Kv7family.so");
    QVERIFY2(library.load(), qPrintable(library.errorString()));
    auto create = reinterpret_cast<CreateFn>(library.resolve("poGetInterfaceInstance"));
    QVERIFY(create);
    const int before = QApplication::topLevelWidgets().size();
    QCOMPARE(create(&m_record, nullptr), nullptr);
    QCOMPARE(QApplication::topLevelWidgets().size(), before);
}

QTEST_MAIN(TestSensorInterface)
#include "tst_sensorinterface.moc"
