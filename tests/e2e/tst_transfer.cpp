// Whole-set transfers over the host's real serial channel against iolink-sim:
// read-all and write-all in ascending id order with their exclusions, and a
// settings file carrying one device's memory to another device.

#include "recordingchannel.h"
#include "k4ktest.h"
#include "sensorwindowprobe.h"
#include "simulatorport.h"

#include "catalogue/catalogue.h"
#include "comm/masterframes.h"
#include "comm/pause.h"
#include "device/parameterwrite.h"
#include "persistence/dialoglayer.h"

#include <qtpropertymanager.h>

#include <QtTest>

using namespace K4KTest;
using namespace DirazSensorPlugin::Core;

namespace {

class Window : public SensorWindowProbe
{
public:
    using SensorWindowProbe::SensorWindowProbe;
    using SensorWindow::bConnectToSensor;
    using SensorWindow::vReadAllParameters;
};

// A window connected through a recording wrapper to a simulator of its own.
struct Station
{
    explicit Station(const QStringList &simArguments)
    {
        started = sim.start(QStringList{"--distance", "1500"} + simArguments, 0);
        if (!started)
            return;
        recorder = std::make_unique<RecordingChannel>(sim.channel.get());
        window = std::make_unique<Window>(&model, shippedDescription());
        window->setSerialChannel(recorder.get());
        window->vDisconnect();
        started = window->bConnectToSensor();
        window->connected = true;
        recorder->commands.clear();
    }
    ~Station()
    {
        if (!window)
            return;
        window->p().pollingAllowed = false;
        window->p().chartTimer.stop();
        window.reset();
    }

    // Addresses ("index;sub") of the frames with this code, in order.
    QStringList addresses(std::uint8_t code) const
    {
        QStringList out;
        for (const std::string &c : recorder->commands)
            if (c.size() > 5 && std::uint8_t(c[2]) == code)
                out << QStringLiteral("%1;%2").arg(std::uint8_t(c[3]) | std::uint8_t(c[4]) << 8).arg(std::uint8_t(c[5]));
        return out;
    }
    QString address(const QString &id) const
    {
        const ParameterAddress a = parseParameterAddress(window->propertyAddresses.value(id));
        return QStringLiteral("%1;%2").arg(a.index).arg(a.subIndex);
    }
    // Every editable value of the tree, by id.
    QMap<QString, QString> values() const
    {
        QMap<QString, QString> out;
        for (QtProperty *p : window->allSubProperties(window->rootProperty))
            if (!p->propertyId().contains(QLatin1String("ReadOnly")) && p->isEnabled())
                out.insert(p->propertyId(), p->valueText());
        return out;
    }

    const ExtensionSystem::SensorBasic model = catalogueModel();
    SimulatorOnPort sim;
    std::unique_ptr<RecordingChannel> recorder;
    std::unique_ptr<Window> window;
    bool started = false;
};

// True when `sent` follows `order`: each item matches the current or a later
// entry, never an earlier one.
bool followsOrder(const QStringList &sent, const QStringList &order)
{
    int at = 0;
    for (const QString &s : sent) {
        while (at < order.size() && order.at(at) != s)
            ++at;
        if (at == order.size())
            return false;
    }
    return true;
}

bool excluded(const QString &id)
{
    for (const char *part : {"ReadOnly", "InputMode", "RESETBUTTON", "TEACHBUTTON"})
        if (id.contains(QLatin1String(part)))
            return true;
    return false;
}

} // namespace

class TransferTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        DialogLayer::setTestMode(true);
        setPauseScale(0.0);
    }

    void readWriteAndCarryOver()
    {
        Station a({"--set", "SwitchingThresholdA1=2345", "--set", "HysteresisA1=33"});
        QVERIFY(a.started);
        SensorWindowPrivate &d = a.window->p();
        QtProperty *threshold = a.window->findProperty(QStringLiteral("SwitchingThresholdA1"));
        QtProperty *hysteresis = a.window->findProperty(QStringLiteral("HysteresisA1"));

        // Sensor -> PC: the device's values, read in ascending id order.
        a.window->vReadAllParameters();
        QCOMPARE(d.doubleManager->value(threshold), 2345.0);
        QCOMPARE(d.doubleManager->value(hysteresis), 33.0);
        QStringList order;
        for (const QString &id : a.window->propertyAddresses.keys())
            order << a.address(id);
        QVERIFY(a.addresses(MasterCode::ParameterRead).size() > 50);
        QVERIFY(followsOrder(a.addresses(MasterCode::ParameterRead), order));

        // PC -> Sensor: the tree's values, written in ascending id order,
        // never to an excluded id.
        a.window->enableTreeDataHandling(false);
        d.doubleManager->setValue(threshold, 3456.0);
        a.recorder->commands.clear();
        a.window->writeAllSettings();
        QStringList writable;
        for (const QString &id : a.window->propertyAddresses.keys())
            if (!excluded(id))
                writable << a.address(id);
        const QStringList written = a.addresses(MasterCode::ParameterWrite);
        QVERIFY2(written.size() > 50, qPrintable(written.join(QLatin1Char(' '))));
        QVERIFY(followsOrder(written, writable));
        for (const char *id : {"TEACHBUTTON1", "RESETBUTTON", "FirmwareRevisionReadOnly"})
            if (a.window->propertyAddresses.contains(id) && !writable.contains(a.address(id)))
                QVERIFY2(!written.contains(a.address(id)), id);
        // The write pass leaves the tree's handling on: this is no edit.
        a.window->enableTreeDataHandling(false);
        d.doubleManager->setValue(threshold, 1.0);
        a.window->vReadAllParameters();
        QCOMPARE(d.doubleManager->value(threshold), 3456.0);

        // A saved file makes a second device's memory equal to the first's.
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("a.wts"));
        DialogLayer::enqueueFileName(file);
        a.window->vSaveSettings();
        Station b({});
        QVERIFY(b.started);
        b.window->vReadAllParameters();
        QVERIFY(b.values() != a.values());
        DialogLayer::enqueueAnswer(QMessageBox::Ok); // the override question
        QVERIFY(b.window->bOpenSettings(file));
        QVERIFY(b.addresses(MasterCode::ParameterWrite).size() > 50);
        b.window->vReadAllParameters();
        const QMap<QString, QString> va = a.values(), vb = b.values();
        for (auto it = va.cbegin(); it != va.cend(); ++it)
            QVERIFY2(vb.value(it.key()) == it.value(), qPrintable(it.key() + ": " + vb.value(it.key()) + " vs " + it.value()));
    }
};

QTEST_MAIN(TransferTest)
#include "tst_transfer.moc"
