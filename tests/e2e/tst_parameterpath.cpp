// Identification, edits and read-back over the host's real serial channel
// against iolink-sim on a pseudo-terminal.

#include "k4ktest.h"
#include "sensorwindowprobe.h"
#include "simulatorport.h"

#include "comm/masterframes.h"
#include "device/parameterwrite.h"
#include "persistence/dialoglayer.h"

#include <qtpropertymanager.h>
#include <simulator/devicemodel.h>

#include <QtTest>

using namespace K4KTest;
using namespace DirazSensorPlugin::Core;

namespace {

class Window : public SensorWindowProbe
{
public:
    using SensorWindowProbe::SensorWindowProbe;
    using SensorWindow::bReadParameter;
};

} // namespace

class ParameterPathTest : public QObject
{
    Q_OBJECT
private slots:
    void editsReachTheDeviceOnce();
};

void ParameterPathTest::editsReachTheDeviceOnce()
{
    DialogLayer::setTestMode(true);
    const ExtensionSystem::SensorBasic model = catalogueModel();
    SimulatorOnPort sim;
    // The firmware text answers "busy" first: the connection reads it again.
    QVERIFY(sim.start({"--trace", "--distance", "1500", "--read-error", "23=8020"}, 10));
    auto window = std::make_unique<Window>(&model, shippedDescription());
    window->setSerialChannel(sim.channel.get());
    // The host's automatic connection: identification, the whole-set read, polling.
    window->vAutoConnect(sim.settings.portName);
    QVERIFY(window->connected);
    QTRY_VERIFY_WITH_TIMEOUT(window->bConnectionComplete(), 30000); // the notice runs its course
    SensorWindowPrivate &d = window->p();
    const auto text = [&](const char *id) { return d.stringManager->value(window->findProperty(QString(id))); };
    QCOMPARE(text("FirmwareRevisionReadOnly"), QString(IoLinkSim::DeviceModel::kFirmwareRevision));
    QCOMPARE(text("SerialNumberReadOnly"), QString(IoLinkSim::DeviceModel::kSerialNumber));
    QCOMPARE(text("HardwareRevisionReadOnly"), QString(IoLinkSim::DeviceModel::kHardwareRevision));

    QtProperty *threshold = window->findProperty(QStringLiteral("SwitchingThresholdA1"));
    QtProperty *direction = window->findProperty(QStringLiteral("SSC2JumpDirection"));
    QtProperty *flag = window->findProperty(QStringLiteral("BOOLTooFar"));
    QVERIFY(threshold && direction && flag);
    const bool tooFar = !d.boolManager->value(flag);
    const auto waitForWrite = [&] {
        QTRY_VERIFY_WITH_TIMEOUT(window->delayTimer.isActive(), 2000);
        // The write runs inside the timer's slot, so it is done when the timer is.
        QTRY_VERIFY_WITH_TIMEOUT(!window->delayTimer.isActive(), 5000);
    };
    for (double v : {1100.0, 1200.0, 1234.0})
        d.doubleManager->setValue(threshold, v);
    waitForWrite();
    d.enumManager->setValue(direction, 2);
    waitForWrite();
    d.boolManager->setValue(flag, tooFar);
    waitForWrite();

    // Put other values into the tree; the reads bring the device's back.
    window->enableTreeDataHandling(false);
    d.doubleManager->setValue(threshold, 900.0);
    d.enumManager->setValue(direction, 0);
    d.boolManager->setValue(flag, !tooFar);
    for (const char *id : {"SwitchingThresholdA1", "SSC2JumpDirection", "SignalWarning"})
        window->bReadParameter(QString(id), false);
    QCOMPARE(d.doubleManager->value(threshold), 1234.0);
    QCOMPARE(d.enumManager->value(direction), 2);
    QCOMPARE(d.boolManager->value(flag), tooFar);
    const QMap<QString, QString> addresses = window->propertyAddresses;
    window.reset();

    const QStringList received = sim.receivedFrames();
    const auto hexWrite = [&](const char *id, std::int64_t v) {
        const ParameterAddress a = parseParameterAddress(addresses.value(QString(id)));
        return QString::fromLatin1(
            frameBytes(buildParameterWrite(std::uint16_t(a.index), std::uint8_t(a.subIndex), v, a.size)).toHex(' '));
    };
    const auto writesTo = [&](int index) {
        return std::count_if(received.begin(), received.end(), [index](const QString &f) {
            const QByteArray b = QByteArray::fromHex(f.toLatin1());
            return b.size() > 4 && quint8(b[2]) == MasterCode::ParameterWrite && (quint8(b[3]) | quint8(b[4]) << 8) == index;
        });
    };
    QCOMPARE(int(received.count(hexWrite("SwitchingThresholdA1", 1234))), 1);
    QCOMPARE(int(writesTo(parseParameterAddress(addresses.value("SwitchingThresholdA1")).index)), 1);
    QCOMPARE(int(received.count(hexWrite("SSC2JumpDirection", 3))), 1);
    QCOMPARE(int(writesTo(parseParameterAddress(addresses.value("SignalWarning")).index)), 1);
    QCOMPARE(int(received.count(QString::fromLatin1(frameBytes(buildReadRequest(23, 0)).toHex(' ')))), 2);
}

QTEST_MAIN(ParameterPathTest)
#include "tst_parameterpath.moc"
