#include "k4ktest.h"

#include "live/processdecoding.h"
#include "window/viewpositions.h"

#include <QtTest>

using namespace DirazSensorPlugin::Core;

using K4KTest::cycle;
using K4KTest::objectBlock;

class TestProcessDecoding : public QObject
{
    Q_OBJECT
private slots:
    void values_data()
    {
        QTest::addColumn<int>("unit");
        QTest::addColumn<QString>("processData");
        QTest::addColumn<QString>("distance");
        QTest::addColumn<QString>("speed");
        QTest::addColumn<QString>("intensity");
        QTest::addColumn<double>("speedPoint");

        QTest::newRow("layout 0") << 0 << "0000000fa000" << "4000" << "-" << "-" << double(AbsentValue);
        QTest::newRow("layout 1 tenths") << 1 << "0000000fa000" << "400" << "-" << "-" << double(AbsentValue);
        QTest::newRow("layout 1 truncates") << 1 << "000000000900" << "0" << "-" << "-" << double(AbsentValue);
        QTest::newRow("layout 0 top bit is 0") << 0 << "008000000100" << "0" << "-" << "-" << double(AbsentValue);
        QTest::newRow("layout 0 ignores octet 3") << 0 << "ff000000ff00" << "255" << "-" << "-" << double(AbsentValue);
        QTest::newRow("layout 2") << 2 << "00001388ff9c" << "5000" << "-100" << "-" << -100.0;
        QTest::newRow("layout 2 24-bit") << 2 << "00ffffff0010" << "16777215" << "16" << "-" << 16.0;
        QTest::newRow("layout 3") << 3 << "001388_7fff_7f" << "5000" << "32767" << "127" << 32767.0;
        QTest::newRow("layout 3 most negative") << 3 << "00ffff800001" << "65535" << "-32768" << "1" << -32768.0;
        QTest::newRow("layout 3 zero speed") << 3 << "000064000010" << "100" << "0" << "16" << 0.0;
        QTest::newRow("unknown layout like 0") << 7 << "000001000000" << "65536" << "-" << "-"
                                               << double(AbsentValue);
    }

    void values()
    {
        QFETCH(int, unit);
        QFETCH(QString, processData);
        QFETCH(QString, distance);
        QFETCH(QString, speed);
        QFETCH(QString, intensity);

        ProcessDecoderState state;
        const ProcessDisplay d = decodeProcessAnswer(state, cycle(processData.remove('_')), unit);
        QVERIFY(d.distance.valid);
        QVERIFY(d.speed.valid);
        QVERIFY(d.intensity.valid);
        QCOMPARE(d.distance.valueText, distance);
        QCOMPARE(d.distance.chartValue, distance.toDouble());
        QCOMPARE(d.speed.valueText, speed);
        QTEST(d.speed.chartValue, "speedPoint");
        QCOMPARE(d.intensity.valueText, intensity);
        QCOMPARE(state.lastDistance, distance.toInt());
        QCOMPARE(state.zeroAnswerCount, 0);
        QVERIFY(!d.distance.addSpecialPoint && !d.speed.addSpecialPoint && !d.intensity.addSpecialPoint);
    }

    void specialCodes_data()
    {
        QTest::addColumn<int>("unit");
        QTest::addColumn<QString>("processData");
        // Row texts: a value in brackets means the field stays valid with that value.
        QTest::addColumn<QString>("distance");
        QTest::addColumn<QString>("speed");
        QTest::addColumn<QString>("intensity");
        QTest::addColumn<int>("pointGraph"); // graph that gets the 9999999 point, -1 none
        QTest::addColumn<QString>("marker"); // marker of the special field that got the point

        QTest::newRow("0 no data") << 0 << "007ffffffc00" << "No data" << "[-]" << "[-]" << 3 << "No data";
        QTest::newRow("0 too far") << 0 << "007ffffff800" << "Object too far" << "[-]" << "[-]" << 3
                                   << "Obj. too far";
        QTest::newRow("0 too near") << 0 << "008000000800" << "Object too near" << "[-]" << "[-]" << 3
                                    << "Object too near";
        QTest::newRow("0 short code in long field") << 0 << "0000007ffc00" << "[32764]" << "[-]" << "[-]"
                                                    << -1 << "";
        QTest::newRow("1 no data") << 1 << "007ffffffc00" << "No data" << "[-]" << "[-]" << 3 << "No data";
        QTest::newRow("2 no data") << 2 << "007ffffc1234" << "No data" << "[4660]" << "[-]" << 3 << "No data";
        QTest::newRow("2 too far") << 2 << "007ffff80000" << "Object too far" << "[0]" << "[-]" << 3
                                   << "Obj. too far";
        QTest::newRow("2 too near") << 2 << "008000080000" << "Object too near" << "[0]" << "[-]" << 3
                                    << "Object too near";
        QTest::newRow("2 speed codes") << 2 << "000010007ff8" << "[4096]" << "Object too far" << "[-]" << 0
                                       << "Obj. too far";
        QTest::newRow("3 too far") << 3 << "00fffe000010" << "Object too far" << "[0]" << "[16]" << 3
                                   << "Obj. too far";
        QTest::newRow("3 all three no data") << 3 << "007ffc7ffcff" << "No data" << "No data" << "No data" << 3
                                             << "No data";
        QTest::newRow("3 speed near, intensity far") << 3 << "0010008008fe" << "[4096]" << "Object too near"
                                                     << "Object too far" << 0 << "Obj. too near";
        QTest::newRow("3 intensity near") << 3 << "001000010000" << "[4096]" << "[256]" << "Object too near"
                                          << 2 << "Obj. too near";
        QTest::newRow("3 intensity no data") << 3 << "00100000ffff" << "[4096]" << "[255]" << "No data" << 2
                                             << "No data";
        QTest::newRow("3 speed no data") << 3 << "0010007ffc10" << "[4096]" << "No data" << "[16]" << 0
                                         << "No data";
    }

    void specialCodes()
    {
        QFETCH(int, unit);
        QFETCH(QString, processData);
        QFETCH(QString, distance);
        QFETCH(QString, speed);
        QFETCH(QString, intensity);
        QFETCH(int, pointGraph);

        ProcessDecoderState state;
        const ProcessDisplay d = decodeProcessAnswer(state, cycle(processData), unit);
        const struct
        {
            const FieldDisplay &field;
            const QString &expected;
            int graph;
        } fields[] = {{d.distance, distance, DistancePlot},
                      {d.speed, speed, SpeedPlot},
                      {d.intensity, intensity, IntensityPlot}};
        for (const auto &f : fields) {
            if (f.expected.startsWith('[')) {
                QVERIFY2(f.field.valid, qPrintable(f.expected));
                QCOMPARE(f.field.valueText, f.expected.mid(1, f.expected.size() - 2));
                QCOMPARE(f.field.special, SpecialCode::None);
            } else {
                QVERIFY2(!f.field.valid, qPrintable(f.expected));
                QCOMPARE(f.field.rowText, f.expected);
                QVERIFY(f.field.valueText.isEmpty());
            }
            QCOMPARE(f.field.addSpecialPoint, f.graph == pointGraph);
            if (f.graph == pointGraph)
                QTEST(f.field.markerText, "marker");
        }
        // Each answer may add a special point again.
        QVERIFY(!state.specialShown);
    }

    void zeroAnswers_data()
    {
        QTest::addColumn<int>("unit");
        QTest::addColumn<QStringList>("answers");   // process data of successive answers
        QTest::addColumn<QStringList>("distances"); // row text or [value] per answer

        const QString zero = QStringLiteral("000000000000");
        QTest::newRow("layout 3 second zero is too near")
            << 3 << QStringList{"0003e8000a10", zero, zero, zero, "0003e8000a10"}
            << QStringList{"[1000]", "[1000]", "Object too near", "Object too near", "[1000]"};
        QTest::newRow("layout 3 distance 0000 in a live answer primes")
            << 3 << QStringList{"00000000ff10", zero}
            << QStringList{"[0]", "Object too near"};
        QTest::newRow("layout 0 zeros keep the last value")
            << 0 << QStringList{"000000271000", zero, zero, zero}
            << QStringList{"[10000]", "[10000]", "[10000]", "[10000]"};
        QTest::newRow("layout 1 repeated value not divided again")
            << 1 << QStringList{"0000000fa000", zero, zero}
            << QStringList{"[400]", "[400]", "[400]"};
        QTest::newRow("status digit breaks the zero run")
            << 3 << QStringList{"0003e8000a10", zero, zero}
            << QStringList{"[1000]", "[0]", "Object too near"};
    }

    void zeroAnswers()
    {
        QFETCH(int, unit);
        QFETCH(QStringList, answers);
        QFETCH(QStringList, distances);

        ProcessDecoderState state;
        for (int i = 0; i < answers.size(); ++i) {
            // The last row puts the status octet's high digit into the zero run.
            const QString status = QString(QTest::currentDataTag()).startsWith("status") && i == 1
                                       ? QStringLiteral("10") : QStringLiteral("00");
            const ProcessDisplay d = decodeProcessAnswer(state, cycle(answers[i], status), unit);
            const QString &expected = distances[i];
            const QString where = QString("answer %1").arg(i);
            if (expected.startsWith('[')) {
                QVERIFY2(d.distance.valid, qPrintable(where));
                QCOMPARE(d.distance.valueText, expected.mid(1, expected.size() - 2));
            } else {
                QVERIFY2(!d.distance.valid, qPrintable(where));
                QCOMPARE(d.distance.rowText, expected);
                QVERIFY(d.distance.addSpecialPoint);
            }
        }
    }

    void zeroCounterWrapsAfterHundred()
    {
        ProcessDecoderState state;
        state.lastDistance = 77;
        state.zeroAnswerCount = 101;
        // Reset to 0 first, so this zero answer is the first of a new run.
        const ProcessDisplay d = decodeProcessAnswer(state, cycle("000000000000"), 3);
        QVERIFY(d.distance.valid);
        QCOMPARE(d.distance.valueText, QString("77"));
        QCOMPARE(state.zeroAnswerCount, 1);
    }

    void objectInfo_data()
    {
        QTest::addColumn<int>("unit");
        QTest::addColumn<QString>("hex");
        QTest::addColumn<int>("evaluated");
        QTest::addColumn<QList<double>>("distances");
        QTest::addColumn<QList<int>>("signalValues");
        QTest::addColumn<QStringList>("texts");

        QTest::newRow("millimetres")
            << 0 << objectBlock(2, {"000003e8", "000007d0", "ffffffff", "7ffffff8"}, {10, 255, 0, 200}) << 2
            << QList<double>{1000, 2000, 0, 2147483640.0} << QList<int>{10, 0, 0, 200}
            << QStringList{"1000.0 mm", "2000.0 mm", "0.0 mm", "Object too far"};
        QTest::newRow("codes")
            << 0 << objectBlock(0, {"80000008", "7ffffffc", "00000001", "00000000"}, {1, 2, 3, 4}) << 0
            << QList<double>{2147483656.0, 2147483644.0, 1, 0} << QList<int>{1, 2, 3, 4}
            << QStringList{"Object too close", " No data", "1.0 mm", "0.0 mm"};
        QTest::newRow("inches")
            << 1 << objectBlock(3, {"000000fe", "000001fc", "ffffffff", "00000000"}, {254, 9, 9, 9}) << 3
            << QList<double>{10.0, 20.0, 0, 0} << QList<int>{254, 9, 9, 9}
            << QStringList{"10.0 mm", "20.0 mm", "0.0 mm", "0.0 mm"};
        QTest::newRow("no evaluated object")
            << 0 << objectBlock(0xff, {"00000010", "00000020", "00000030", "00000040"}, {1, 1, 1, 1}) << 255
            << QList<double>{16, 32, 48, 64} << QList<int>{1, 1, 1, 1}
            << QStringList{"16.0 mm", "32.0 mm", "48.0 mm", "64.0 mm"};
        // Found by fuzzing: a sign or a blank is no hexadecimal digit.
        QTest::newRow("not hexadecimal")
            << 0 << objectBlock(1, {"00000010", "+0000020", "00000030", "00000040"}, {1, 1, 1, 1}).replace(14, 2, "-5").replace(54, 2, " 7")
            << -1 << QList<double>{16, 0, 48, 64} << QList<int>{0, 1, 1, 1}
            << QStringList{"16.0 mm", "0.0 mm", "48.0 mm", "64.0 mm"};
    }

    void objectInfo()
    {
        QFETCH(int, unit);
        QFETCH(QString, hex);
        QFETCH(QList<double>, distances);
        QFETCH(QList<int>, signalValues);
        QFETCH(QStringList, texts);

        QCOMPARE(hex.size(), 80);
        const ObjectInfo info = decodeObjectInfoBlock(hex, unit);
        QVERIFY(info.valid);
        QTEST(info.evaluatedIndex, "evaluated");
        for (int k = 0; k < 4; ++k) {
            const std::size_t i = std::size_t(k);
            QVERIFY2(qAbs(info.distances[i] - distances[k]) < 1e-9,
                     qPrintable(QString("object %1: %2").arg(k).arg(info.distances[i], 0, 'f', 6)));
            QCOMPARE(info.signalValues[i], signalValues[k]);
            QCOMPARE(objectDistanceText(info.distanceFields[i], info.distances[i], " mm"), texts[k]);
        }
    }

    void objectInfoLength_data()
    {
        QTest::addColumn<int>("cut");
        QTest::newRow("78 characters") << -2;
        QTest::newRow("82 characters") << 2;
        QTest::newRow("empty") << -80;
    }

    void objectInfoLength()
    {
        QFETCH(int, cut);
        QString hex = objectBlock(1, {"00000010", "00000020", "00000030", "00000040"}, {1, 1, 1, 1});
        hex = cut < 0 ? hex.left(80 + cut) : hex + QString(cut, '0');
        QVERIFY(!decodeObjectInfoBlock(hex, 0).valid);
    }
};

QTEST_GUILESS_MAIN(TestProcessDecoding)
#include "tst_processdecoding.moc"
