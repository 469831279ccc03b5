// The interface object between host and window: port switching and relays.
#include "k4ktest.h"
#include "ptypeer.h"

#include "plugin/sensorinterface.h"
#include "window/sensorwindow.h"

#include <extensionsystem/communicationinterface.h>
#include <extensionsystem/connectionregistry.h>
#include <hostconnectionregistry.h>


#include <QMdiArea>
#include <QMdiSubWindow>
#include <QtTest>

using DirazSensorPlugin::Core::SensorInterface;
using DirazSensorPlugin::Core::SensorWindow;
using namespace ExtensionSystem;
using K4KTest::PtyPeer;

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
    void init()
    {
        m_registry = std::make_unique<FakeRegistry>();
        m_area = std::make_unique<QMdiArea>();
        m_sub = m_area->addSubWindow(new QWidget);
    }

    void cleanup()
    {
        m_area.reset();
        m_registry.reset();
    }

    void identity()
    {
        SensorInterface object(&m_record, m_sub);
        QCOMPARE(object.getPluginName(), QString("DirazSensorPlugin"));
        QCOMPARE(object.getPluginGroup(), QString("DirazSensors"));
        QVERIFY(object.getExtraItems().isEmpty());
        QCOMPARE(m_sub->widget(), static_cast<QWidget *>(object.window()));
        QVERIFY(!object.isConnected());
    }

    void portSwitching_data()
    {
        // Ports chosen one after another ("" is Offline, "!" one the registry
        // refuses) and the registry calls they cause.
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
        // The old port was given up and the new one refused: the window must not
        // keep a channel the host may have deleted.
        QTest::newRow("refused port leaves no channel") << QStringList{"/dev/ttyA", "!/dev/ttyB"}
                                                        << QStringList{"register /dev/ttyA", "unregister", "register /dev/ttyB"}
                                                        << false;
        QTest::newRow("a refused port is asked again")
            << QStringList{"!/dev/ttyB", "/dev/ttyB"} << QStringList{"register /dev/ttyB", "register /dev/ttyB"} << true;
        QTest::newRow("offline after a refusal does nothing") << QStringList{"!/dev/ttyC", ""}
                                                              << QStringList{"register /dev/ttyC"} << false;
    }

    void portSwitching()
    {
        QFETCH(QStringList, choices);
        QFETCH(QStringList, calls);
        QFETCH(bool, connected);
        SensorInterface object(&m_record, m_sub);
        for (const QString &port : choices) {
            m_registry->refuse = port.startsWith('!');
            emit object.window()->vComPortSelected(port.mid(m_registry->refuse ? 1 : 0));
        }
        QCOMPARE(m_registry->calls, calls);
        QCOMPARE(object.isConnected(), connected);
        QCOMPARE(object.window()->serialChannel(), connected ? &m_registry->fake : nullptr);
    }

    void hostRegistryLendsAndNamesMissingPorts()
    {
        m_registry.reset();
        HostConnectionRegistry registry;
        PtyPeer port;
        PortSettings settings;
        settings.portName = port.path();
        SensorInterface first(&m_record, m_sub);
        CommunicationInterface *a = nullptr;
        registry.registerConnection(settings, &a, &first);
        QVERIFY(a);
        QCOMPARE(registry.portsInUse(), QStringList{port.path()});
        registry.unregisterConnection(&first);
        QVERIFY(registry.portsInUse().isEmpty());
        // A port held elsewhere is the next test's; a missing one is named.
        PortSettings missing;
        missing.portName = QStringLiteral("/dev/no-such-port");
        QSignalSpy failed(&registry, &HostConnectionRegistry::portFailed);
        registry.registerConnection(missing, &a, &first);
        QCOMPARE(a, nullptr);
        QCOMPARE(failed.count(), 1);
    }

    void aPortHeldElsewhereLeavesNoDanglingChannel()
    {
        m_registry.reset();
        HostConnectionRegistry registry;
        PtyPeer held, own;
        SensorInterface first(&m_record, m_sub), second(&m_record, m_area->addSubWindow(new QWidget));
        emit first.window()->vComPortSelected(held.path());
        emit second.window()->vComPortSelected(own.path());
        QVERIFY(first.isConnected() && second.isConnected());
        // The second window switches to the port the first one holds: its own
        // channel is deleted by the host and no new one is lent.
        emit second.window()->vComPortSelected(held.path());
        QVERIFY(!second.isConnected());
        QCOMPARE(second.window()->serialChannel(), nullptr);
        QVERIFY(!second.window()->bCheckConnection());
        second.window()->queryStatusData(0);
        QCOMPARE(registry.portsInUse(), QStringList{held.path()});
    }

    void delaysComeFromCatalogue()
    {
        // A record the catalogue knows, whose line delay is not zero.
        const SensorBasic record = K4KTest::catalogueModel();
        const auto entry = DirazSensorPlugin::Core::catalogueLookup(record.name(), K4KTest::shippedDescription());
        QVERIFY(entry.lineDelay() > 0);
        SensorInterface object(&record, m_sub);
        emit object.window()->vComPortSelected("/dev/ttyA");
        QCOMPARE(m_registry->lastSettings.characterDelay, entry.characterDelay());
        QCOMPARE(m_registry->lastSettings.lineDelay, entry.lineDelay());
        QCOMPARE(m_registry->lastSettings.reserved, 0);
        QCOMPARE(m_registry->lastSettings.portName, QString("/dev/ttyA"));
    }

    void sendDataNeedsChannel()
    {
        SensorInterface object(&m_record, m_sub);
        emit object.window()->vSendData("dropped");
        QVERIFY(m_registry->fake.texts.empty());
        emit object.window()->vComPortSelected("/dev/ttyA");
        emit object.window()->vSendData(QString::fromLatin1("T\xe4st"));
        QCOMPARE(m_registry->fake.texts.size(), size_t(1));
        QCOMPARE(m_registry->fake.texts.front(), std::string("T\xe4st"));
    }

    void destructionUnregistersPlugin()
    {
        {
            SensorInterface object(&m_record, m_sub);
            emit object.window()->vAboutToClose();
            QCOMPARE(m_registry->calls, QStringList{"unregister"});
        }
        QCOMPARE(m_registry->calls, QStringList({"unregister", "unregister plugin"}));
    }

    void nullSubWindowCreatesNothing()
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

private:
    std::unique_ptr<FakeRegistry> m_registry;
    std::unique_ptr<QMdiArea> m_area;
    QMdiSubWindow *m_sub = nullptr;
    ExtensionSystem::SensorBasic m_record;
};

QTEST_MAIN(TestSensorInterface)
#include "tst_sensorinterface.moc"
