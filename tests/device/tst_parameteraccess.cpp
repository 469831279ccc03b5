// Reading, editing and writing single parameters through the window: what
// goes on the wire and what the tree shows afterwards.

#include "../comm/scriptedchannel.h"
#include "simwindowrig.h"

#include "comm/masterframes.h"
#include "comm/pause.h"
#include "device/parameterdecoding.h"
#include "device/parameterwrite.h"
#include "persistence/dialoglayer.h"

#include <qtbrowseritem.h>
#include <qtpropertymanager.h>
#include <qttreepropertybrowser.h>
#include <utils/buttonmanager.h>

#include <QAction>
#include <QTreeWidgetItem>
#include <QtTest>

using namespace K4KTest;
using namespace DirazSensorPlugin::Core;

namespace {

// A connected window on the simulated master that knows its variant.
struct AccessRig : Rig
{
    AccessRig() { w.p().variantKey = QString::fromStdString(channel.model().variant()->id3); }

    QtProperty *prop(const char *id) { return w.findProperty(QString::fromLatin1(id)); }
    SensorWindowPrivate &d() { return w.p(); }
    // What the tree shows for a property, whatever its kind.
    QString shown(const char *id)
    {
        QtProperty *p = prop(id);
        if (!p)
            return QStringLiteral("<missing>");
        if (p->propertyManager() == d().intManager)
            return QString::number(d().intManager->value(p));
        if (p->propertyManager() == d().doubleManager)
            return QString::number(d().doubleManager->value(p));
        if (p->propertyManager() == d().enumManager)
            return QString::number(d().enumManager->value(p));
        if (p->propertyManager() == d().boolManager)
            return QString::number(d().boolManager->value(p));
        return d().stringManager->value(p);
    }
    // Write frames (code 0x24) to this parameter's index, in order.
    std::vector<std::string> writesTo(const char *id, bool textWrite = false)
    {
        const ParameterAddress a = parseParameterAddress(w.propertyAddresses.value(QString::fromLatin1(id)));
        const int index = textWrite ? textParameterIndex(QString::fromLatin1(id)) : a.index;
        std::vector<std::string> out;
        for (const auto &r : channel.records()) {
            ParsedFrame f;
            if (parseFrame(r.command, &f) && f.code == MasterCode::ParameterWrite && f.index == index)
                out.push_back(r.command);
        }
        return out;
    }
    std::string expectedWrite(const char *id, std::int64_t v)
    {
        const ParameterAddress a = parseParameterAddress(w.propertyAddresses.value(QString::fromLatin1(id)));
        return buildParameterWrite(std::uint16_t(a.index), std::uint8_t(a.subIndex), v, a.size);
    }
};

} // namespace

class ParameterAccessTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        setPauseScale(0.0);
        DialogLayer::setTestMode(true);
    }

    void readShowsTheAnswer_data()
    {
        QTest::addColumn<QString>("id");
        QTest::addColumn<QByteArray>("answer");
        QTest::addColumn<QString>("shown");
        QTest::newRow("int, two octets") << "OnDelay1" << QByteArray::fromHex("0711221234") << "4660";
        QTest::newRow("double, FFFF kept") << "SwitchingThresholdA1" << QByteArray::fromHex("0911220000ffff") << "<kept>";
        QTest::newRow("far limit, three octets") << "DetectionRangeFar" << QByteArray::fromHex("0911220a002710") << "10000";
        QTest::newRow("enumeration mapped") << "PinFunctionA3" << QByteArray::fromHex("0711220004") << "1";
        QTest::newRow("text with zero octets") << "AppSpecificTag" << QByteArray::fromHex("05112241000042") << "AB";
        QTest::newRow("identification text") << "SerialNumberReadOnly" << QByteArray::fromHex("0611224142") << "AB";
        QTest::newRow("counter shown as text") << "BootCounterSelfReadOnly" << QByteArray::fromHex("09112200000102") << "258";
        QTest::newRow("status word") << "BOOLShortCircuit" << QByteArray::fromHex("09112220000021") << "1";
    }

    void readShowsTheAnswer()
    {
        QFETCH(QString, id);
        QFETCH(QByteArray, answer);
        QFETCH(QString, shown);
        AccessRig rig;
        ScriptedChannel channel;
        channel.responder = [&answer](const std::string &command) {
            return command == fetchResultFrame() ? ScriptedChannel::Reply{answer.isEmpty() ? 0 : 1, frameString(answer)}
                                                 : ScriptedChannel::Reply{1, std::string("\x09\x5a\x22\0\0\0\0\0\0\0", 10)};
        };
        rig.w.setSerialChannel(&channel);
        const QByteArray latin = id.toLatin1();
        const QString before = rig.shown(latin.constData());
        // A flag is read through its word.
        const QString readId = id.startsWith("BOOL") ? QStringLiteral("SignalWarning") : id;
        QVERIFY(rig.w.bReadParameter(readId, false));
        rig.d().pollingAllowed = false;
        const ParameterAddress a = parseParameterAddress(rig.w.propertyAddresses.value(readId));
        const std::vector<std::string> exchange{buildReadRequest(std::uint16_t(a.index), std::uint8_t(a.subIndex)),
                                                cycleFrame(), fetchResultFrame()};
        QCOMPARE(channel.commands(), exchange);
        QCOMPARE(rig.shown(latin.constData()), shown == "<kept>" ? before : shown);
        // A read never becomes a write; a flag alone is never read.
        QVERIFY(rig.w.bReadParameter(QStringLiteral("BOOLTooFar"), true));
        QTest::qWait(450);
        const auto countCode = [&channel](std::uint8_t code) {
            return std::count_if(channel.sent.begin(), channel.sent.end(),
                                 [code](const ScriptedChannel::Sent &s) { return std::uint8_t(s.command[2]) == code; });
        };
        QCOMPARE(countCode(MasterCode::ParameterWrite), 0);
        QCOMPARE(countCode(MasterCode::ParameterRead), 1);
    }

    void deviceErrorsAreReadOnceMore_data()
    {
        QTest::addColumn<QString>("id");
        QTest::addColumn<int>("code");
        QTest::addColumn<bool>("retried");
        QTest::newRow("firmware busy") << "FirmwareRevisionReadOnly" << int(DeviceError::Busy) << true;
        QTest::newRow("serial 1601") << "SerialNumberReadOnly" << int(DeviceError::NotYetAvailable) << true;
        QTest::newRow("hardware 8011") << "HardwareRevisionReadOnly" << int(DeviceError::IndexUnavailable) << true;
        QTest::newRow("hardware 1601 kept") << "HardwareRevisionReadOnly" << int(DeviceError::NotYetAvailable) << false;
    }

    void deviceErrorsAreReadOnceMore()
    {
        QFETCH(QString, id);
        QFETCH(int, code);
        QFETCH(bool, retried);
        AccessRig rig;
        const ParameterAddress a = parseParameterAddress(rig.w.propertyAddresses.value(id));
        rig.channel.model().failNextRead(a.index, std::uint16_t(code));
        rig.w.readIdentification();
        const std::string request = buildReadRequest(std::uint16_t(a.index), std::uint8_t(a.subIndex));
        const auto reads = std::count_if(rig.channel.records().begin(), rig.channel.records().end(),
                                         [&request](const auto &r) { return r.command == request; });
        QCOMPARE(int(reads), retried ? 2 : 1);
        QVERIFY(rig.d().ReadRetryList.isEmpty());
        const QString device = QString::fromStdString(rig.channel.model().text(id.toStdString()));
        QCOMPARE(rig.shown(id.toLatin1().constData()) == device, retried);
        QCOMPARE(rig.shown("FirmwareRevisionReadOnly"), QString::fromLatin1(IoLinkSim::DeviceModel::kFirmwareRevision));
    }

    void editWritesOneFrame_data()
    {
        QTest::addColumn<QString>("id");
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<int>("unit");
        QTest::addColumn<qint64>("device");
        QTest::addColumn<QString>("shown");
        QTest::newRow("half up") << "SwitchingThresholdA1" << QVariant(1200.5) << 0 << qint64(1201) << "1201";
        QTest::newRow("inch") << "SwitchingThresholdA1" << QVariant(100.0) << 1 << qint64(2540) << "100";
        QTest::newRow("far limit off") << "DetectionRangeFar" << QVariant(100001.0) << 0 << qint64(130000) << "100001";
        QTest::newRow("near limit clamped") << "DetectionRangeNear" << QVariant(150.0) << 0 << qint64(300) << "300";
        QTest::newRow("pin function") << "PinFunctionA3" << QVariant(1) << 0 << qint64(4) << "1";
        QTest::newRow("jump direction 2") << "SSC2JumpDirection" << QVariant(2) << 0 << qint64(3) << "2";
        QTest::newRow("int") << "OnDelay1" << QVariant(321) << 0 << qint64(321) << "321";
    }

    void editWritesOneFrame()
    {
        QFETCH(QString, id);
        QFETCH(QVariant, value);
        QFETCH(int, unit);
        QFETCH(qint64, device);
        QFETCH(QString, shown);
        AccessRig rig;
        rig.d().measurementUnit = unit;
        rig.d().objMinRange = 300;
        const QByteArray latin = id.toLatin1();
        QtProperty *p = rig.prop(latin.constData());
        QVERIFY(p);
        if (p->propertyManager() == rig.d().doubleManager)
            rig.d().doubleManager->setValue(p, value.toDouble());
        else if (p->propertyManager() == rig.d().enumManager)
            rig.d().enumManager->setValue(p, value.toInt());
        else
            rig.d().intManager->setValue(p, value.toInt());
        QTRY_VERIFY_WITH_TIMEOUT(!rig.writesTo(latin.constData()).empty(), 5000);
        QCOMPARE(rig.writesTo(latin.constData()), std::vector<std::string>{rig.expectedWrite(latin.constData(), device)});
        QCOMPARE(rig.shown(latin.constData()), shown);
        QCOMPARE(rig.channel.model().numberOr(id.toStdString(), -1), device);
    }

    void burstWritesOnlyTheLastValue()
    {
        AccessRig rig;
        QtProperty *p = rig.prop("SwitchingThresholdA1");
        for (int i = 1; i <= 10; ++i)
            rig.d().doubleManager->setValue(p, 1000.0 + i);
        // A flag edit writes its whole word too, after the switching point's.
        QtProperty *flag = rig.prop("BOOLTooFar");
        QTRY_VERIFY_WITH_TIMEOUT(!rig.writesTo("SwitchingThresholdA1").empty(), 5000);
        const bool tooFar = !rig.d().boolManager->value(flag);
        rig.d().boolManager->setValue(flag, tooFar);
        QTRY_VERIFY_WITH_TIMEOUT(!rig.writesTo("SignalWarning").empty(), 5000);
        QTest::qWait(500);
        QCOMPARE(rig.writesTo("SwitchingThresholdA1"), std::vector<std::string>{rig.expectedWrite("SwitchingThresholdA1", 1010)});
        const std::int64_t word = rig.channel.model().numberOr("SignalWarning", -1);
        QCOMPARE(rig.writesTo("SignalWarning").size(), std::size_t(1));
        QCOMPARE((word >> 5) & 1, std::int64_t(tooFar));
        QCOMPARE(word & 1, std::int64_t(rig.d().boolManager->value(rig.prop("SignalWarning"))));
    }

    void writeModes_data()
    {
        QTest::addColumn<bool>("read");
        QTest::addColumn<bool>("permanent");
        QTest::addColumn<bool>("writing");
        QTest::addColumn<bool>("sent");
        QTest::newRow("write") << false << true << true << true;
        QTest::newRow("read mode") << true << true << true << false;
        QTest::newRow("permanent off") << false << false << true << false;
        QTest::newRow("temporary off") << false << true << false << false;
    }

    void writeModes()
    {
        QFETCH(bool, read);
        QFETCH(bool, permanent);
        QFETCH(bool, writing);
        QFETCH(bool, sent);
        AccessRig rig;
        rig.w.ui->actionRead->setChecked(read);
        rig.w.ui->actionWritePermanent->setChecked(permanent);
        rig.w.ui->actionWriting->setChecked(writing);
        rig.d().intManager->setValue(rig.prop("OnDelay1"), 77);
        rig.w.sendDelayValue();
        QCOMPARE(rig.writesTo("OnDelay1").size(), std::size_t(sent ? 1 : 0));
        // Kept in the PC only: the write icon says so for a while.
        QCOMPARE(rig.d().writeIconTimer.isActive(), !sent);
        QCOMPARE(rig.shown("OnDelay1"), QString("77"));
    }

    void textWrite_data()
    {
        QTest::addColumn<QString>("id");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("index");
        QTest::addColumn<QByteArray>("octets");
        QTest::newRow("application tag") << "AppSpecificTag" << "Hello" << 24 << QByteArray("Hello");
        QTest::newRow("function tag") << "FunctionTag" << "F" << 25 << QByteArray("F");
        QTest::newRow("location tag") << "LocationTag" << "L" << 26 << QByteArray("L");
        const QString cut = QString(31, 'a') + QString::fromUtf8("\xc3\xa9");
        QTest::newRow("cut before a two-octet character") << "AppSpecificTag" << cut << 24 << QByteArray(31, 'a');
    }

    void textWrite()
    {
        QFETCH(QString, id);
        QFETCH(QString, text);
        QFETCH(int, index);
        QFETCH(QByteArray, octets);
        AccessRig rig;
        const QByteArray latin = id.toLatin1();
        rig.w.selectedProperty = rig.prop(latin.constData());
        QVERIFY(rig.w.selectedProperty);
        rig.w.vTextEditFinished(); // nothing typed: nothing happens
        QVERIFY(rig.channel.records().empty());
        rig.w.textEdited(text);
        rig.w.vTextEditFinished();
        const std::vector<std::string> writes = rig.writesTo(latin.constData(), true);
        QCOMPARE(writes.size(), std::size_t(1));
        QCOMPARE(validateFrame(writes.front()), FrameCheck::Valid);
        QCOMPARE(writes.front(), buildTextWrite(std::uint16_t(index), 0, octets));
        QCOMPARE(rig.shown(latin.constData()), text);
        if (index == 24)
            QCOMPARE(QString::fromStdString(rig.channel.model().text(id.toStdString())), QString::fromUtf8(octets));
    }

    void refusedWriteShowsDeviceValueAfterRead()
    {
        AccessRig rig;
        // 3940 inches lie beyond the device's limit in millimetres.
        rig.d().measurementUnit = 1;
        QtProperty *p = rig.prop("SwitchingThresholdA1");
        const std::int64_t before = rig.channel.model().numberOr("SwitchingThresholdA1", -1);
        rig.d().doubleManager->setValue(p, 3940.0);
        rig.w.sendDelayValue();
        QCOMPARE(rig.writesTo("SwitchingThresholdA1").size(), std::size_t(1));
        QCOMPARE(rig.channel.model().numberOr("SwitchingThresholdA1", -1), before);
        rig.w.bReadParameter(QStringLiteral("SwitchingThresholdA1"), false);
        QCOMPARE(rig.shown("SwitchingThresholdA1"), QString::number(before));
    }

    // Edits that change the tree only: offline, during a language change, and
    // on the selected item in read mode.
    void editsThatSendNothing()
    {
        AccessRig rig;
        rig.w.connected = false;
        rig.d().intManager->setValue(rig.prop("OnDelay1"), 12);
        QTRY_VERIFY_WITH_TIMEOUT(!rig.w.delayTimer.isActive(), 5000);
        QVERIFY(rig.channel.records().empty());
        QCOMPARE(rig.shown("OnDelay1"), QString("12"));

        rig.w.connected = true;
        rig.w.retranslating = true;
        rig.d().intManager->setValue(rig.prop("OnDelay1"), 13);
        QVERIFY(!rig.w.delayTimer.isActive());
        rig.w.retranslating = false;

        rig.w.ui->actionRead->setChecked(true);
        QtBrowserItem *item = rig.w.propertyBrowser->items(rig.prop("OnDelay1")).value(0);
        QVERIFY(item);
        rig.w.propertyBrowser->setCurrentItem(item);
        QVERIFY(!rig.prop("OnDelay1")->isEnabled());
        QVERIFY(rig.d().writeIconTimer.isActive());
        QtBrowserItem *root = rig.w.propertyBrowser->items(rig.w.rootProperty).value(0);
        rig.w.propertyBrowser->setCurrentItem(root);
        QVERIFY(rig.prop("OnDelay1")->isEnabled());
        QVERIFY(rig.w.rootProperty->isEnabled());
        QVERIFY(rig.writesTo("OnDelay1").empty());
    }
};

QTEST_MAIN(ParameterAccessTest)
#include "tst_parameteraccess.moc"
