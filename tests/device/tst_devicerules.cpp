// Which parameters the tree shows for the controlling values, the marks drawn
// for the selected output, and teach-in and device actions on the wire.

#include "simwindowrig.h"

#include "comm/pause.h"
#include "persistence/dialoglayer.h"

#include <extensionsystem/globals.h>
#include <utils/thresholdwindowwidgetgeneric.h>
#include <utils/thresholdwindowwidgetuniversal.h>

#include <QAction>
#include <QComboBox>
#include <QtTest>

using namespace K4KTest;
using namespace DirazSensorPlugin::Core;

class DeviceRulesTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { prepareWindowTests(); }
    void init() { DialogLayer::reset(); }

    void rules_data()
    {
        QTest::addColumn<QStringList>("settings"); // "id=value", enumerations by entry position
        QTest::addColumn<int>("selected");         // output selector
        QTest::addColumn<bool>("analog");
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<QStringList>("hidden");
        QTest::addColumn<QStringList>("disabled");
        QTest::addColumn<QString>("marks"); // middle/lower/upper values, "-" when hidden

        const QStringList window1 = {"SwitchingThresholdA1=1000", "HysteresisA1=20", "LowerThresholdA1=100",
                                     "UpperThresholdA1=200"};
        QTest::newRow("switching point, output 1")
            << (window1 + QStringList{"TeachInMode1=0"}) << 0 << false
            << QStringList{"SwitchingThresholdA1", "HysteresisA1", "TEACHBUTTON1", "NONCA1", "OnDelay1"}
            << QStringList{"LowerThresholdA1", "UpperThresholdA1", "InputMode1", "SSC1JumpHeightMin", "IntensitySCC1"}
            << QStringList() << "1000 - -";
        QTest::newRow("window mode, output 1")
            << (window1 + QStringList{"TeachInMode1=2"}) << 0 << false
            << QStringList{"LowerThresholdA1", "UpperThresholdA1", "TEACHBUTTON1", "HysteresisA1"}
            << QStringList{"SSC1JumpHeightMin"} << QStringList() << "1000 900 1200";
        QTest::newRow("jump detection draws nothing")
            << (window1 + QStringList{"TeachInMode1=3"}) << 0 << false
            << QStringList{"SSC1JumpHeightMin", "SSC1JumpHeightMax", "SSC1JumpDirection", "SSC1JumpImpulse"}
            << QStringList{"SwitchingThresholdA1", "LowerThresholdA1", "UpperThresholdA1", "TEACHBUTTON1"}
            << QStringList() << "- - -";
        QTest::newRow("intensity mode")
            << (window1 + QStringList{"TeachInMode1=4"}) << 0 << false
            << QStringList{"IntensitySCC1", "SSC1IntensityWindow", "SwitchingThresholdA1", "TEACHBUTTON1"}
            << QStringList{"LowerThresholdA1", "SSC1JumpHeightMin"} << QStringList() << "1000 - -";
        QTest::newRow("output 2 window mode, output 1 selected")
            << QStringList{"TeachInMode1=3", "TeachInMode2=2", "SwitchingThresholdA2=2000", "LowerThresholdA2=300"}
            << 0 << false << QStringList{"LowerThresholdA2", "UpperThresholdA2", "TEACHBUTTON2"}
            << QStringList{"SSC2JumpHeightMin"} << QStringList() << "- - -";
        QTest::newRow("output 2 window mode, output 2 selected")
            << QStringList{"TeachInMode2=2", "SwitchingThresholdA2=2000", "LowerThresholdA2=300",
                           "UpperThresholdA2=400"}
            << 1 << false << QStringList{"LowerThresholdA2"} << QStringList() << QStringList() << "2000 1700 2400";
        QTest::newRow("output 1 as input locks output 2")
            << QStringList{"PinFunctionA1=4", "PinFunctionA2=2"} << 0 << false << QStringList{"InputMode1"}
            << QStringList{"NONCA1", "OnDelay1"} << QStringList{"PinFunctionA2"} << "1000 - -";
        QTest::newRow("both as input: output 1 wins")
            << QStringList{"PinFunctionA1=4", "PinFunctionA2=4"} << 0 << false << QStringList() << QStringList()
            << QStringList{"PinFunctionA2"} << "1000 - -";
        QTest::newRow("output 1 off hides its settings")
            << QStringList{"PinFunctionA1=5"} << 0 << false << QStringList() << QStringList{"Output1Settings"}
            << QStringList() << "1000 - -";
        QTest::newRow("warning output 2 without analog output")
            << QStringList{"PinFunctionA2=6"} << 0 << false << QStringList{"Output2Settings", "NPNPNP2"}
            << QStringList{"NONCA2"} << QStringList() << "1000 - -";
        QTest::newRow("warning output 2 with analog output")
            << QStringList{"PinFunctionA2=6"} << 0 << true << QStringList() << QStringList{"Output2Settings"}
            << QStringList() << "1000 - -";
        QTest::newRow("pin 5 off hides its settings")
            << QStringList{"PinFunctionA3=2"} << 0 << false << QStringList()
            << QStringList{"InputMode3", "Output3Settings"} << QStringList() << "1000 - -";
        QTest::newRow("test mode without analog output")
            << QStringList{"TestMode=1", "SimulationDistanceValue=1"} << 0 << false
            << QStringList{"TestA1", "TestA2", "SimulationWarning", "SimulationDistanceValue", "SimulationMeasurementValue"}
            << QStringList{"SimulaionAnalogVoltage", "SimulationAnalogOutput"} << QStringList() << "1000 - -";
        QTest::newRow("test mode off")
            << QStringList{"TestMode=0"} << 0 << true << QStringList()
            << QStringList{"TestA1", "SimulaionAnalogVoltage", "SimulationWarning", "SimulationDistanceValue"}
            << QStringList() << "1000 - -";
    }

    void rules()
    {
        QFETCH(QStringList, settings);
        QFETCH(int, selected);
        QFETCH(bool, analog);
        QFETCH(QStringList, shown);
        QFETCH(QStringList, hidden);
        QFETCH(QStringList, disabled);
        QFETCH(QString, marks);
        Rig rig(false);
        auto &d = rig.w.p();
        d.analogPresent = analog;
        rig.set(QStringLiteral("SwitchingThresholdA1"), 1000);
        for (const QString &setting : settings)
            rig.set(setting.section(QLatin1Char('='), 0, 0), setting.section(QLatin1Char('='), 1).toDouble());
        d.outputSelector->setCurrentIndex(selected);
        rig.w.vApplyParameterRules();

        for (const QString &id : shown)
            QVERIFY2(rig.w.isShown(id), qPrintable(id + " hidden"));
        for (const QString &id : hidden)
            QVERIFY2(rig.w.findProperty(id) && !rig.w.isShown(id), qPrintable(id + " shown"));
        for (const char *id : {"PinFunctionA1", "PinFunctionA2"})
            QCOMPARE(rig.w.findProperty(QLatin1String(id))->isEnabled(), !disabled.contains(QLatin1String(id)));
        if (disabled.contains(QLatin1String("PinFunctionA2")))
            QCOMPARE(rig.value(QStringLiteral("PinFunctionA2")), 0.0);

        Utils::ThresholdWindowWidgetGeneric *m = d.thresholdMarkers.first();
        auto mark = [](bool visible, double value) { return visible ? QString::number(value) : QStringLiteral("-"); };
        QCOMPARE(QStringList({mark(m->isMiddleMarkShown(), m->middleMark()), mark(m->isLowerMarkShown(), m->lowerMark()),
                              mark(m->isUpperMarkShown(), m->upperMark())})
                     .join(QLatin1Char(' ')),
                 marks);
    }

    void farRangeIsCappedForShortVariants()
    {
        Rig rig(false);
        auto &d = rig.w.p();
        rig.set(QStringLiteral("DetectionRangeFar"), 20000);
        rig.set(QStringLiteral("DetectionRangeNear"), 300);
        d.objMaxRange = 10001;
        rig.w.vApplyParameterRules();
        QCOMPARE(rig.value(QStringLiteral("DetectionRangeFar")), 10001.0);
        QCOMPARE(d.rangeMarkers[1]->rightMark(0), 10001.0);
        QCOMPARE(d.rangeMarkers[1]->leftMark(0), 300.0);
    }

    void teachReadsBack_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("unit");
        QTest::addColumn<int>("written");
        QTest::addColumn<QStringList>("readBack");
        QTest::addColumn<double>("switching"); // taught value shown, 0: not checked
        QTest::addColumn<double>("minimum");   // of the switching threshold afterwards
        const QStringList output1 = {"SwitchingThresholdA1", "UpperThresholdA1", "LowerThresholdA1"};
        QTest::newRow("output 1") << "TEACHBUTTON1" << 0 << 1 << output1 << 1500.0 << 50.0;
        QTest::newRow("output 1 in inches") << "TEACHBUTTON1" << 1 << 1 << output1 << 1500.0 / 25.4 << 0.039;
        QTest::newRow("output 2") << "TEACHBUTTON2" << 0 << 1
                                  << QStringList{"SwitchingThresholdA2", "UpperThresholdA2", "LowerThresholdA2"}
                                  << 1500.0 << 50.0;
        QTest::newRow("window edge: nothing read") << "TEACHBUTTON13" << 0 << 2 << QStringList() << 0.0 << 0.0;
        QTest::newRow("analog end") << "ANALOGTEACHBUTTON2" << 0 << 2 << QStringList{"analog10V"} << 0.0 << 0.0;
    }

    void teachReadsBack()
    {
        QFETCH(QString, button);
        QFETCH(int, unit);
        QFETCH(int, written);
        QFETCH(QStringList, readBack);
        QFETCH(double, switching);
        QFETCH(double, minimum);
        Rig rig;
        auto &d = rig.w.p();
        d.measurementUnit = unit;
        rig.click(button);
        const QStringList address = rig.w.propertyAddresses.value(button).split(QLatin1Char(';'));
        const std::string write = buildParameterWrite(std::uint16_t(address[0].toInt()), std::uint8_t(address[1].toInt()),
                                                      written, address[2].toInt());
        QVERIFY2(rig.commands().contains(hex(write)), qPrintable(rig.commands().join(QLatin1Char('|'))));
        QVERIFY(d.teachTimer.isActive());

        rig.channel.model().advanceClock(IoLinkSim::DeviceModel::kTeachBusyMs);
        rig.channel.clearRecords();
        d.teachTimer.stop();
        rig.w.slotUpdatingTeachValues();
        QStringList reads;
        for (const QString &command : rig.commands())
            if (command.mid(6, 2) == QLatin1String("26")) // a read request
                reads << command;
        QStringList expected;
        for (const QString &id : readBack)
            expected << hex(rig.readOf(id));
        QCOMPARE(reads, expected);
        if (switching > 0) {
            const QString id = readBack.first();
            QCOMPARE(rig.value(id), switching);
            QCOMPARE(d.doubleManager->minimum(rig.w.findProperty(id)), minimum);
        }
        QVERIFY(d.liveData);
    }

    void resetsKeepTheMasterBusyAndReadBack_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("before");
        QTest::addColumn<QString>("action");
        QTest::newRow("device reset") << "DEVICEBUTTON" << 15 << "06 4a 24 02 00 00 80";
        QTest::newRow("application reset") << "APPBUTTON" << 10 << "06 5b 24 02 00 00 81";
    }

    void resetsKeepTheMasterBusyAndReadBack()
    {
        QFETCH(QString, button);
        QFETCH(int, before);
        QFETCH(QString, action);
        Rig rig;
        rig.click(button);
        const QString cycle = hex(cycleFrame());
        QStringList expected;
        for (int i = 0; i < before; ++i)
            expected << cycle;
        expected << hex(fetchResultFrame()) << action;
        for (int i = 0; i < 10; ++i)
            expected << cycle;
        expected << hex(textWritePrefixFrame()) << hex(rig.readOf(QStringLiteral("DetectionRangeNear")));
        const QStringList sent = rig.commands();
        QCOMPARE(sent.mid(0, expected.size()), expected);
        QVERIFY(rig.w.connected);
        QVERIFY(rig.w.p().chartTimer.isActive());
    }

    void backToBox_data()
    {
        QTest::addColumn<int>("answer");
        QTest::newRow("confirmed") << int(QMessageBox::Ok);
        QTest::newRow("cancelled") << int(QMessageBox::Cancel);
    }

    void backToBox()
    {
        QFETCH(int, answer);
        Rig rig;
        auto &d = rig.w.p();
        d.portSelector->addItems({QString(), QStringLiteral("/dev/sim")});
        d.portSelector->setCurrentIndex(2);
        DialogLayer::enqueueAnswer(answer);
        rig.click(QStringLiteral("BACKTOBOXBUTTON"));
        const QList<DialogLayer::Shown> shown = DialogLayer::takeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown.first().title, QStringLiteral("Back To Box defaults"));
        QVERIFY(shown.first().text.startsWith(QLatin1String("The sensor will be disconnected (offline mode) ,")));
        if (answer != QMessageBox::Ok) {
            QVERIFY(rig.channel.records().empty());
            QVERIFY(rig.w.connected);
            return;
        }
        QStringList expected;
        for (int i = 0; i < 5; ++i)
            expected << hex(cycleFrame());
        expected << QStringLiteral("06 7a 24 02 00 00 83");
        for (int i = 0; i < 5; ++i)
            expected << hex(cycleFrame());
        expected << hex(textWritePrefixFrame());
        QCOMPARE(rig.commands(), expected);
        QVERIFY(!rig.w.connected);
        QCOMPARE(d.portSelector->currentIndex(), 0);
    }
};

QTEST_MAIN(DeviceRulesTest)
#include "tst_devicerules.moc"
