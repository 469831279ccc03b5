// Round trips through the in-process channel, decoded with the plug-in's own
// decoders: what is written comes back, process data shows the distance the
// device holds, and unanswered entries end after their own time-out.
#include "simtesthelpers.h"

#include "simulator/devicevalues.h"
#include "simulator/simulatedchannel.h"

#include "comm/masterframes.h"
#include "device/parameterdecoding.h"
#include "live/processdecoding.h"

#include <QtTest>

#include <cmath>
#include <memory>

using namespace IoLinkSim;
namespace Proto = DirazSensorPlugin::Core;
using ExtensionSystem::CommunicationInterface;
using ExtensionSystem::FrameEntry;

class TestSimulatedChannel : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<SimulatedChannel> m_channel;
    DeviceDescription m_description;

    // One entry in its own frame, waited for through the event loop.
    FrameEntry run(const std::string &command, double timeoutMs = 1000)
    {
        CommunicationInterface::DataFrame frame(1);
        frame.front().command = command;
        frame.front().timeoutMs = timeoutMs;
        QSignalSpy spy(m_channel.get(), &CommunicationInterface::emitFinished);
        const unsigned int id = m_channel->sendFrame(&frame);
        for (int i = 0; i < 100 && spy.isEmpty(); ++i)
            spy.wait(200);
        if (spy.size() != 1 || spy.first().first().toUInt() != id)
            qWarning("frame %u did not finish once", id);
        return frame.front();
    }
    QByteArray read(const ParameterInfo &p)
    {
        run(Proto::buildReadRequest(std::uint16_t(p.index), std::uint8_t(p.subIndex)));
        run(Proto::cycleFrame());
        return SimTest::bytes(run(Proto::fetchResultFrame()).answer);
    }
    void write(const ParameterInfo &p, std::int64_t value)
    {
        run(Proto::buildParameterWrite(std::uint16_t(p.index), std::uint8_t(p.subIndex), value, p.size));
    }
    const ParameterInfo &param(const char *id)
    {
        const ParameterInfo *p = m_description.find(id);
        if (!p)
            qFatal("description lacks %s", id);
        return *p;
    }

private slots:
    void initTestCase()
    {
        m_description = SimTest::loadDescription();
        QVERIFY(!m_description.parameters().empty());
    }
    void init()
    {
        m_channel = std::make_unique<SimulatedChannel>(SimTest::descriptionPath());
        QVERIFY(m_channel->isValid());
        m_channel->model().motion().setFixed(1500);
    }

    void valueWrittenIsReadBack_data()
    {
        QTest::addColumn<QString>("id");
        QTest::addColumn<int>("value");
        QTest::newRow("enumeration with its own mapping") << "PinFunctionA3" << 2;
        QTest::newRow("int, size 7") << "OnDelay1" << 54321;
        QTest::newRow("double, size 9") << "SwitchingThresholdA1" << 87654;
        QTest::newRow("range, above 16 bits") << "DetectionRangeFar" << 70000;
    }

    void valueWrittenIsReadBack()
    {
        QFETCH(QString, id);
        QFETCH(int, value);
        const ParameterInfo &p = param(id.toLatin1().constData());
        const QString key = QString::fromStdString(m_channel->model().variant()->id3);
        if (p.kind == ParameterInfo::Kind::Enumerator) {
            // The host sends the device value of an entry and maps it back.
            const int device = int(enumerationDeviceValue(p.id, value, key.toStdString()));
            write(p, device);
            QCOMPARE(Proto::enumIndexFromRaw(id, Proto::enumRawValue(read(p)), key), value);
        } else if (p.kind == ParameterInfo::Kind::Double) {
            write(p, value);
            const QByteArray answer = read(p);
            const int got = id.startsWith("DetectionRange") ? Proto::rangeAnswerValue(answer)
                                                            : Proto::doubleAnswerValue(answer, p.size);
            QCOMPARE(got, value);
        } else {
            write(p, value);
            QCOMPARE(Proto::intAnswerValue(read(p), p.size), value);
        }
    }

    void textTagWrittenIsReadBack_data()
    {
        QTest::addColumn<QString>("id");
        QTest::addColumn<QString>("text");
        QTest::newRow("location tag, 32 octets") << "LocationTag" << "ABCDEFGHIJKLMNOPQRSTUVWXYZ012345";
        QTest::newRow("application tag, UTF-8") << "AppSpecificTag" << QStringLiteral("Füllstand");
        QTest::newRow("emptied") << "FunctionTag" << "";
    }

    void textTagWrittenIsReadBack()
    {
        QFETCH(QString, id);
        QFETCH(QString, text);
        const ParameterInfo &p = param(id.toLatin1().constData());
        QVERIFY(Proto::textParameterValue(read(p)) != text);
        run(Proto::textWritePrefixFrame());
        run(Proto::buildTextWrite(std::uint16_t(p.index), std::uint8_t(p.subIndex), text.toUtf8()));
        QCOMPARE(Proto::textParameterValue(read(p)), text);
    }

    void processDataDecodes_data()
    {
        QTest::addColumn<int>("unit");
        QTest::addColumn<int>("distance"); // -1: no object
        QTest::addColumn<int>("special");  // Proto::SpecialCode, -1: a value
        QTest::newRow("millimetres") << 0 << 1500 << -1;
        QTest::newRow("inches") << 1 << 5999 << -1;
        QTest::newRow("speed and intensity") << 3 << 1500 << -1;
        QTest::newRow("no object") << 0 << -1 << int(Proto::SpecialCode::NoData);
        QTest::newRow("beyond the range") << 2 << 8000 << int(Proto::SpecialCode::TooFar);
        QTest::newRow("too near, 16-bit layout") << 3 << 60 << int(Proto::SpecialCode::TooNear);
    }

    void processDataDecodes()
    {
        QFETCH(int, unit);
        QFETCH(int, distance);
        QFETCH(int, special);
        write(param("MesurementUnit"), unit);
        if (distance < 0)
            m_channel->model().motion().setAbsent();
        else
            m_channel->model().motion().setFixed(distance);
        Proto::ProcessDecoderState state;
        Proto::ProcessDisplay shown;
        // The 16-bit layout says "too near" with zeros, recognised from the second answer on.
        for (int i = 0; i < 2; ++i) {
            const FrameEntry e = run(Proto::cycleFrame());
            QCOMPARE(int(e.answer.size()), Proto::CycleAnswerLength);
            shown = Proto::decodeProcessAnswer(state, SimTest::hex(e.answer), unit);
        }
        QCOMPARE(shown.distance.valid, special < 0);
        if (special >= 0) {
            QCOMPARE(int(shown.distance.special), special);
            return;
        }
        // Inch mode shows whole inches.
        QVERIFY2(std::abs(shown.distance.chartValue - (unit == 1 ? distance / 25.4 : distance)) < 1.0,
                 qPrintable(shown.distance.valueText));
        if (unit == 3) {
            QCOMPARE(shown.speed.chartValue, 0.0);
            QCOMPARE(shown.intensity.chartValue, double(m_channel->model().measure().intensity));
        }
    }

    void factoryResetRestoresChangedValue()
    {
        const ParameterInfo &threshold = param("SwitchingThresholdA2");
        const ParameterInfo &tag = param("LocationTag");
        write(threshold, 4321);
        run(Proto::buildTextWrite(std::uint16_t(tag.index), std::uint8_t(tag.subIndex), "Dock 2"));
        QCOMPARE(Proto::doubleAnswerValue(read(threshold), threshold.size), 4321);
        run(Proto::fetchResultFrame());
        run(Proto::systemCommandFrame(Proto::SystemCommand::RestoreFactorySettings));
        run(Proto::cycleFrame());
        QCOMPARE(Proto::doubleAnswerValue(read(threshold), threshold.size), int(threshold.defaultNumber));
        QCOMPARE(Proto::textParameterValue(read(tag)), QString::fromStdString(tag.defaultText));
    }

    void unansweredEntriesEndAfterTheirTimeout_data()
    {
        QTest::addColumn<int>("dropEvery");
        QTest::addColumn<int>("delayMs");
        QTest::addColumn<int>("timeoutMs");
        QTest::addColumn<int>("status");
        QTest::newRow("silent, short time-out") << 1 << 0 << 20 << 0;
        QTest::newRow("late answer") << 0 << 60 << 15 << 0;
        QTest::newRow("answer in time") << 0 << 10 << 2000 << 1;
    }

    void unansweredEntriesEndAfterTheirTimeout()
    {
        QFETCH(int, dropEvery);
        QFETCH(int, delayMs);
        QFETCH(int, timeoutMs);
        QFETCH(int, status);
        FaultSettings f;
        f.dropEvery = dropEvery;
        f.delayMs = delayMs;
        m_channel->master().setFaults(f);
        const FrameEntry e = run(Proto::linkProbeFrame(), timeoutMs);
        QCOMPARE(e.status, status);
        QCOMPARE(e.answer.empty(), status == 0);
    }

    void framesFinishInOrderAndAreRecorded()
    {
        FaultSettings f;
        f.dropEvery = 2;
        m_channel->master().setFaults(f);
        CommunicationInterface::DataFrame first(2), second(1);
        first.front().command = Proto::linkProbeFrame();
        first.back().command = Proto::cycleFrame();
        first.back().timeoutMs = 10;
        second.front().command = Proto::fetchResultFrame();
        QSignalSpy spy(m_channel.get(), &CommunicationInterface::emitFinished);
        const unsigned int a = m_channel->sendFrame(&first);
        const unsigned int b = m_channel->sendFrame(&second);
        QVERIFY(spy.isEmpty()); // never finished inside sendFrame
        for (int i = 0; i < 50 && spy.size() < 2; ++i)
            spy.wait(200);
        QCOMPARE(spy.size(), 2);
        QCOMPARE(spy.at(0).first().toUInt(), a);
        QCOMPARE(spy.at(1).first().toUInt(), b);
        QCOMPARE(first.front().status, 1);
        QCOMPARE(first.back().status, 0);
        QCOMPARE(second.front().status, 1);
        const auto &records = m_channel->records();
        QCOMPARE(int(records.size()), 3);
        QCOMPARE(records[0].command, Proto::linkProbeFrame());
        QCOMPARE(records[0].answer, first.front().answer);
        QCOMPARE(records[1].status, 0);
        QCOMPARE(records[2].command, Proto::fetchResultFrame());
    }
};

QTEST_GUILESS_MAIN(TestSimulatedChannel)
#include "tst_simulatedchannel.moc"
