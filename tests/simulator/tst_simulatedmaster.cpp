// The simulated master frame by frame: answer layouts, rejected frames,
// faults, system commands, teach-in and the switching outputs.
#include "simtesthelpers.h"

#include "simulator/simulatedmaster.h"

#include "comm/masterframes.h"
#include "device/flagwords.h"
#include "device/parameterdecoding.h"
#include "live/processdecoding.h"

#include <QtTest>

#include <cmath>
#include <memory>

using namespace IoLinkSim;
namespace Proto = DirazSensorPlugin::Core;
using SimTest::octets;

Q_DECLARE_METATYPE(std::string)
Q_DECLARE_METATYPE(IoLinkSim::FaultSettings)

class TestSimulatedMaster : public QObject
{
    Q_OBJECT

private:
    DeviceDescription m_description;
    std::unique_ptr<SimulatedMaster> m_master;

    DeviceModel &model() { return m_master->model(); }
    std::string send(const std::string &frame)
    {
        return m_master->handleFrame(frame).octets;
    }
    std::string readParameter(const std::string &id)
    {
        const ParameterInfo *p = m_description.find(id);
        send(Proto::buildReadRequest(std::uint16_t(p->index), std::uint8_t(p->subIndex)));
        send(Proto::cycleFrame());
        return send(Proto::fetchResultFrame());
    }
    std::uint16_t writeParameter(const std::string &id, std::int64_t value)
    {
        const ParameterInfo *p = m_description.find(id);
        const std::string a = send(Proto::buildParameterWrite(std::uint16_t(p->index), std::uint8_t(p->subIndex), value, p->size));
        return a.size() == 5 ? std::uint16_t((std::uint8_t(a[3]) << 8) | std::uint8_t(a[4])) : 0;
    }
    template <typename Wanted>
    bool selectVariant(Wanted wanted)
    {
        const auto &all = model().variants();
        for (std::size_t i = 0; i < all.size(); ++i)
            if (wanted(all[i]))
                return model().selectVariant(i);
        return false;
    }
    std::uint8_t status()
    {
        const std::string a = send(Proto::cycleFrame());
        return a.size() == 10 ? std::uint8_t(a[9]) : 0xEE;
    }

private slots:
    void initTestCase()
    {
        m_description = SimTest::loadDescription();
        QVERIFY2(!m_description.parameters().empty(), qPrintable(SimTest::descriptionPath()));
        QVERIFY(!m_description.variants().empty());
    }
    void init()
    {
        m_master = std::make_unique<SimulatedMaster>(m_description);
        model().motion().setFixed(1500);
    }

    void goldenFrames_data()
    {
        QTest::addColumn<std::string>("frame");
        QTest::addColumn<int>("answerLength");
        QTest::addColumn<int>("code");
        QTest::newRow("probe 03 51 12 01") << octets("03511201") << 4 << 0x12;
        QTest::newRow("cycle 02 70 22") << octets("027022") << 10 << 0x22;
        QTest::newRow("identify 04 73 11 09 03") << octets("0473110903") << 3 << 0x11;
        QTest::newRow("identify 03 70 21 03") << octets("03702103") << 3 << 0x21;
        QTest::newRow("text prefix 02 52 25") << octets("025225") << 3 << 0x25;
        QTest::newRow("read 05 57 26 12 00 00") << octets("055726120000") << 3 << 0x26;
        QTest::newRow("fetch 02 73 27, nothing pending") << octets("027327") << 4 << 0x27;
        QTest::newRow("output 03 .. 23 81") << Proto::buildOutputCommand(0x81) << 3 << 0x23;
        QTest::newRow("device reset 06 4A 24 02 00 00 80") << octets("064A2402000080") << 3 << 0x24;
        QTest::newRow("output confirm 06 4C 24 00 00 01 98") << octets("064C2400000198") << 5 << 0x24;
        // Index 0x40 holds one octet, so the device refuses two with an error code.
        QTest::newRow("write 07 4C 24 40 00 00 12 34") << octets("074C2440000012 34") << 5 << 0x24;
    }

    void goldenFrames()
    {
        QFETCH(std::string, frame);
        QFETCH(int, answerLength);
        QCOMPARE(Proto::validateFrame(frame), Proto::FrameCheck::Valid);
        const MasterReply reply = m_master->handleFrame(frame);
        QVERIFY(reply.answered);
        const std::string &a = reply.octets;
        QCOMPARE(int(a.size()), answerLength);
        QCOMPARE(int(std::uint8_t(a[0])) + 1, answerLength);
        QCOMPARE(int(std::uint8_t(a[1])), int(SimulatedMaster::kHeader));
        QTEST(int(std::uint8_t(a[2])), "code");
    }

    // Which frames are damaged is the shared validator's business, tested with
    // the frames; here the master answers them as a master does.
    void malformedFrames_data()
    {
        QTest::addColumn<std::string>("frame");
        QTest::newRow("count too large") << octets("037022");
        QTest::newRow("count too small") << octets("01702200");
        QTest::newRow("unknown code, right check") << Proto::buildFrame(0x30);
        QTest::newRow("read with two parameters") << Proto::buildFrame(0x26, octets("1200"));
        QTest::newRow("two octets") << octets("0270");
        QTest::newRow("type bits of check octet") << octets("02B022");
    }

    void malformedFrames()
    {
        QFETCH(std::string, frame);
        QCOMPARE(send(frame), SimulatedMaster::errorAnswer());
        // The master stays usable.
        QCOMPARE(send(Proto::linkProbeFrame()).size(), std::size_t(4));
    }

    void defaultsFollowTheDescription()
    {
        // Every numeric cell starts at its described default, enumerations as the
        // device value the host maps back to the same entry.
        int checked = 0;
        for (const ParameterInfo &p : m_description.parameters()) {
            const bool flag = p.kind == ParameterInfo::Kind::Bool;
            if (p.kind == ParameterInfo::Kind::Action || p.kind == ParameterInfo::Kind::String || flag)
                continue;
            if (p.index == 143)
                continue; // simulated distance: one cell, two views
            std::int64_t v = 0;
            QVERIFY2(model().number(p.id, &v), p.id.c_str());
            if (p.kind == ParameterInfo::Kind::Enumerator) {
                const int index = Proto::enumIndexFromRaw(QString::fromStdString(p.id), int(v),
                                                          QString::fromStdString(model().variant()->id3));
                QVERIFY2(index == int(p.defaultNumber), p.id.c_str());
            } else {
                QVERIFY2(v == std::int64_t(std::floor(p.defaultNumber + 0.5)), p.id.c_str());
            }
            ++checked;
        }
        QVERIFY(checked > 50);
        // The status word is the sum of its flags' defaults.
        std::uint32_t expected = 0;
        const int wordIndex = m_description.find("SignalWarning")->index;
        for (const ParameterInfo &p : m_description.parameters()) {
            const int bit = Proto::flagBit(QString::fromStdString(p.id));
            if (bit >= 0 && p.index == wordIndex && p.defaultNumber != 0)
                expected |= 1u << bit;
        }
        QCOMPARE(std::uint32_t(Proto::lastEightDigitsValue(SimTest::bytes(readParameter("SignalWarning")))), expected);
        QCOMPARE(Proto::textParameterValue(SimTest::bytes(readParameter("VendorNameReadOnly"))),
                 QString::fromStdString(m_description.find("VendorNameReadOnly")->defaultText));
    }

    void refusedWritesKeepTheValue_data()
    {
        QTest::addColumn<QString>("id");
        QTest::addColumn<qint64>("value");
        QTest::addColumn<int>("error");
        QTest::newRow("above maximum") << "SwitchingThresholdA1" << qint64(100002) << int(Proto::DeviceError::ValueAboveLimit);
        QTest::newRow("below minimum") << "DetectionRangeNear" << qint64(1) << int(Proto::DeviceError::ValueBelowLimit);
        QTest::newRow("unlisted entry") << "PinFunctionA3" << qint64(2) << int(Proto::DeviceError::ValueOutOfRange);
        QTest::newRow("read-only by marker") << "TeachStatus" << qint64(2) << int(Proto::DeviceError::AccessDenied);
        QTest::newRow("far limit off code") << "DetectionRangeFar" << qint64(130000) << 0;
    }

    void refusedWritesKeepTheValue()
    {
        QFETCH(QString, id);
        QFETCH(qint64, value);
        QFETCH(int, error);
        const std::int64_t before = model().numberOr(id.toStdString(), -1);
        QCOMPARE(int(writeParameter(id.toStdString(), value)), error);
        QCOMPARE(model().numberOr(id.toStdString(), -1), error ? before : value);
    }

    void countersOutliveFactoryDefaults()
    {
        model().setNumber("CrashCounter", 3);
        model().advanceClock(5 * DeviceModel::kMsPerHour);
        send(Proto::systemCommandFrame(Proto::SystemCommand::DeviceReset));
        model().advanceClock(DeviceModel::kRestartSilenceMs);
        send(Proto::systemCommandFrame(Proto::SystemCommand::RestoreFactorySettings));
        QCOMPARE(model().numberOr("CrashCounter", -1), 3);
        QCOMPARE(model().numberOr("BootCounterSelfReadOnly", -1), 1);
        const std::string hours = readParameter("OperatingHoursSelfReadOnly");
        QCOMPARE(int(std::uint8_t(hours.back())), 5);
        // An unknown index is a device error too.
        send(Proto::buildReadRequest(0x7777, 0));
        QCOMPARE(Proto::textOctetsHex(Proto::frameBytes(send(Proto::fetchResultFrame()))), QString("8011"));
    }

    void faults_data()
    {
        QTest::addColumn<FaultSettings>("faults");
        QTest::addColumn<QString>("pattern"); // per frame: A answer, - none, E ERROR, G noise
        FaultSettings f;
        f.dropEvery = 3;
        QTest::newRow("no answer to every 3rd") << f << "AA-AA-AA-";
        f = FaultSettings();
        f.silentAfter = 4;
        QTest::newRow("silent after 4") << f << "AAAA-----";
        f = FaultSettings();
        f.errorEvery = 2;
        QTest::newRow("ERROR every 2nd") << f << "AEAEAEAEA";
        f = FaultSettings();
        f.garbageEvery = 4;
        QTest::newRow("noise every 4th") << f << "AAAGAAAGA";
        f = FaultSettings();
        f.unplugAt = 3;
        f.replugAt = 7;
        QTest::newRow("unplugged at 3, back at 7, restarting") << f << "AA-------";
    }

    void faults()
    {
        QFETCH(FaultSettings, faults);
        QFETCH(QString, pattern);
        m_master->setFaults(faults);
        QString seen;
        for (int i = 0; i < pattern.size(); ++i) {
            const MasterReply r = m_master->handleFrame(Proto::cycleFrame());
            if (!r.answered)
                seen += '-';
            else if (r.octets == SimulatedMaster::errorAnswer())
                seen += 'E';
            else if (r.octets.size() == 10 && r.octets[0] == 9 && r.octets[2] == 0x22)
                seen += 'A';
            else
                seen += 'G';
        }
        QCOMPARE(seen, pattern);
        if (faults.replugAt > 0) {
            // Plugged in again, it answers once its start-up is over.
            model().advanceClock(DeviceModel::kRestartSilenceMs);
            QVERIFY(m_master->handleFrame(Proto::cycleFrame()).answered);
        }
    }

    void restartIsSilentForAMoment_data()
    {
        QTest::addColumn<int>("command");
        QTest::newRow("device reset") << 0x80;
        QTest::newRow("application reset") << 0x81;
    }

    void restartIsSilentForAMoment()
    {
        QFETCH(int, command);
        QVERIFY(writeParameter("SwitchingThresholdA1", 3333) == 0);
        const MasterReply ack = m_master->handleFrame(Proto::buildSystemCommand(Proto::SystemCommand(command)));
        QVERIFY(ack.answered); // acknowledged before it goes down
        QVERIFY(!m_master->handleFrame(Proto::linkProbeFrame()).answered);
        model().advanceClock(DeviceModel::kRestartSilenceMs - 1);
        QVERIFY(!m_master->handleFrame(Proto::linkProbeFrame()).answered);
        model().advanceClock(1);
        QCOMPARE(send(Proto::linkProbeFrame()).size(), std::size_t(4));
        // A restart keeps the parameters.
        QCOMPARE(model().numberOr("SwitchingThresholdA1", 0), std::int64_t(3333));
    }

    void backToBoxSilentUntilPluggedIn()
    {
        QVERIFY(writeParameter("SwitchingThresholdA1", 3333) == 0);
        QVERIFY(m_master->handleFrame(Proto::buildSystemCommand(Proto::SystemCommand::BackToBox)).answered);
        model().advanceClock(60000);
        QVERIFY(!m_master->handleFrame(Proto::linkProbeFrame()).answered);
        model().unplug();
        model().plugIn();
        model().advanceClock(DeviceModel::kRestartSilenceMs);
        QCOMPARE(send(Proto::linkProbeFrame()).size(), std::size_t(4));
        QCOMPARE(model().numberOr("SwitchingThresholdA1", 0),
                 std::int64_t(m_description.find("SwitchingThresholdA1")->defaultNumber));
    }

    void teachSetsThresholdsAfterBusyTime_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("command");
        QTest::addColumn<QString>("target");
        QTest::addColumn<int>("expected"); // object at 1500, switching points 1000 / 2000
        QTest::newRow("switching point 1") << "TEACHBUTTON1" << 1 << "SwitchingThresholdA1" << 1500;
        QTest::newRow("window lower 1") << "TEACHBUTTON13" << 2 << "LowerThresholdA1" << 500;
        QTest::newRow("window upper 1") << "TEACHBUTTON14" << 3 << "UpperThresholdA1" << 500;
        QTest::newRow("window lower 2") << "TEACHBUTTON22" << 2 << "LowerThresholdA2" << 500;
        QTest::newRow("analog 0 V") << "ANALOGTEACHBUTTON1" << 1 << "analog0V" << 1500;
        QTest::newRow("analog 10 V") << "ANALOGTEACHBUTTON2" << 2 << "analog10V" << 1500;
    }

    void teachSetsThresholdsAfterBusyTime()
    {
        QFETCH(QString, button);
        QFETCH(int, command);
        QFETCH(QString, target);
        const std::string id = target.toStdString();
        if (button.startsWith(QLatin1String("ANALOG")))
            QVERIFY(selectVariant([](const VariantInfo &v) { return v.analogOutput; }));
        const std::int64_t before = model().numberOr(id, -1);
        QVERIFY(writeParameter(button.toStdString(), command) == 0);
        QCOMPARE(model().numberOr(id, -1), before);
        QCOMPARE(Proto::enumRawValue(SimTest::bytes(readParameter("TeachStatus"))), 1); // busy
        model().advanceClock(DeviceModel::kTeachBusyMs);
        QTEST(Proto::doubleAnswerValue(SimTest::bytes(readParameter(id)), m_description.find(id)->size), "expected");
        QCOMPARE(Proto::enumRawValue(SimTest::bytes(readParameter("TeachStatus"))), 2); // successful
    }

    void teachRefusedWhenLockedOrBusy()
    {
        QVERIFY(writeParameter("TeachLoked", 4) == 0);
        QCOMPARE(writeParameter("TEACHBUTTON1", 1), std::uint16_t(DeviceModel::AccessDenied));
        QVERIFY(writeParameter("TeachLoked", 0) == 0);
        QVERIFY(writeParameter("TEACHBUTTON1", 1) == 0);
        QCOMPARE(writeParameter("TEACHBUTTON2", 1), std::uint16_t(DeviceModel::ServiceUnavailable));
        // Without an object the teach fails and nothing changes.
        model().motion().setAbsent();
        model().advanceClock(DeviceModel::kTeachBusyMs);
        QCOMPARE(Proto::enumRawValue(SimTest::bytes(readParameter("TeachStatus"))), 3);
        QCOMPARE(model().numberOr("SwitchingThresholdA1", 0), std::int64_t(1000));
    }

    void demoMotionLeavesTheDetectionRange()
    {
        model().motion().setScript(ObjectMotion::demoScript());
        QSet<int> seen;
        for (int ms = 0; ms < 60000; ms += 100, model().advanceClock(100))
            seen.insert(int(model().measure().state));
        for (DeviceModel::ObjectState state : {DeviceModel::ObjectState::Valid, DeviceModel::ObjectState::Absent,
                                               DeviceModel::ObjectState::TooNear, DeviceModel::ObjectState::TooFar})
            QVERIFY2(seen.contains(int(state)), qPrintable(QString::number(int(state))));
    }

    void hardwareTheVariantLacksIsRefused_data()
    {
        QTest::addColumn<bool>("analog");
        QTest::addColumn<bool>("bluetooth");
        QTest::addColumn<QString>("id");
        QTest::addColumn<int>("value");
        QTest::addColumn<bool>("refused");
        QTest::newRow("analog teach without analog output") << false << true << "ANALOGTEACHBUTTON1" << 1 << true;
        QTest::newRow("analog teach with analog output") << true << true << "ANALOGTEACHBUTTON2" << 2 << false;
        QTest::newRow("bluetooth without bluetooth") << false << false << "Bluetooth" << 1 << true;
        QTest::newRow("bluetooth with bluetooth") << false << true << "Bluetooth" << 1 << false;
    }

    void hardwareTheVariantLacksIsRefused()
    {
        QFETCH(bool, analog);
        QFETCH(bool, bluetooth);
        QFETCH(QString, id);
        QFETCH(int, value);
        QFETCH(bool, refused);
        QVERIFY(selectVariant([&](const VariantInfo &v) { return v.analogOutput == analog && v.bluetooth == bluetooth; }));
        const std::int64_t before = model().numberOr(id.toStdString(), -1);
        QCOMPARE(writeParameter(id.toStdString(), value),
                 refused ? std::uint16_t(DeviceModel::FunctionUnavailable) : std::uint16_t(0));
        if (refused)
            QCOMPARE(model().numberOr(id.toStdString(), -1), before);
    }

    // Settings "id=value", then "distance:on" steps for the output's status bit.
    void outputsSwitch_data()
    {
        QTest::addColumn<QStringList>("settings");
        QTest::addColumn<int>("bit");
        QTest::addColumn<QString>("steps");
        const QStringList window = {"TeachInMode2=2", "SwitchingThresholdA2=2000", "LowerThresholdA2=300",
                                    "UpperThresholdA2=400", "HysteresisA2=10"};
        QTest::newRow("switching point with hysteresis") << QStringList{"SwitchingThresholdA1=1000", "HysteresisA1=20"}
                                                         << 0x01 << "1100:0 990:1 1015:1 1021:0 1015:0 1000:1";
        QTest::newRow("window") << window << 0x02 << "1650:0 1700:1 2400:1 2405:1 2411:0 1000:0";
        QTest::newRow("window, normally closed") << window + QStringList{"NONCA2=1"} << 0x02 << "2000:0";
    }

    void outputsSwitch()
    {
        QFETCH(QStringList, settings);
        QFETCH(int, bit);
        QFETCH(QString, steps);
        for (const QString &setting : settings)
            QVERIFY(writeParameter(setting.section('=', 0, 0).toStdString(), setting.section('=', 1).toInt()) == 0);
        for (const QString &step : steps.split(' ')) {
            model().motion().setFixed(step.section(':', 0, 0).toInt());
            QVERIFY2(bool(status() & bit) == (step.section(':', 1) == "1"), qPrintable(step));
        }
    }

    void warningBitsFollowSelection()
    {
        // Status bits 4..7 show the conditions ErrorWarning1..4 select.
        const int noData = 6, tooFar = 5;
        QVERIFY(writeParameter("ErrorWarning1", noData) == 0);
        QVERIFY(writeParameter("ErrorWarning2", tooFar) == 0);
        QVERIFY(writeParameter("ErrorWarning3", 0) == 0);
        QVERIFY(writeParameter("ErrorWarning4", 31) == 0); // any
        model().motion().setFixed(1500);
        QCOMPARE(status() & 0xF0, 0x00);
        model().motion().setAbsent();
        QCOMPARE(status() & 0xF0, 0x10 | 0x80);
        model().motion().setFixed(9000); // beyond the detection range
        QCOMPARE(status() & 0xF0, 0x20 | 0x80);
        QVERIFY(status() & 0x04); // signal warning: the status word includes "too far"
    }

    void objectInformationBlock()
    {
        model().motion().setFixed(1200);
        send(Proto::objectInfoReadFrame());
        const std::string a = send(Proto::fetchResultFrame());
        QCOMPARE(int(a.size()), Proto::ObjectInfoAnswerLength);
        const Proto::ObjectInfo info = Proto::decodeObjectInfoBlock(SimTest::hex(a), 0);
        QVERIFY(info.valid);
        QCOMPARE(info.evaluatedIndex, 0);
        QCOMPARE(info.distances[0], 1200.0);
        QCOMPARE(info.signalValues[0], model().measure().intensity);
        QCOMPARE(info.distances[1], 2400.0); // the echo inside the detection range
        QCOMPARE(info.distances[3], 0.0);    // no object
        model().motion().setAbsent();
        send(Proto::objectInfoReadFrame());
        const Proto::ObjectInfo none = Proto::decodeObjectInfoBlock(SimTest::hex(send(Proto::fetchResultFrame())), 0);
        QCOMPARE(none.distanceFields[0], QStringLiteral("7ffffffc"));
    }
};

QTEST_GUILESS_MAIN(TestSimulatedMaster)
#include "tst_simulatedmaster.moc"
