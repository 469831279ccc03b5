#include "live/unitconversion.h"

#include <QtTest>

using namespace DirazSensorPlugin::Core;

class TestUnitConversion : public QObject
{
    Q_OBJECT
private slots:
    void toMillimetres_data()
    {
        QTest::addColumn<double>("inches");
        QTest::addColumn<double>("millimetres");
        QTest::newRow("12.7 rounds up") << 12.7 << 323.0;
        QTest::newRow("one inch") << 1.0 << 25.0;
        QTest::newRow("half up") << 0.5 / 25.4 << 1.0;
        QTest::newRow("negative half goes up") << -2.5 / 25.4 << -2.0;
        QTest::newRow("negative") << -1.0 << -25.0;
        QTest::newRow("zero") << 0.0 << 0.0;
    }

    void toMillimetres()
    {
        QFETCH(double, inches);
        QFETCH(double, millimetres);
        QCOMPARE(inchesToMillimetres(inches), millimetres);
        QCOMPARE(convertDistance(true, inches), millimetres);
    }

    void toInches_data()
    {
        QTest::addColumn<double>("millimetres");
        QTest::addColumn<double>("inches");
        QTest::newRow("1000") << 1000.0 << 39.37007874015748;
        QTest::newRow("254") << 254.0 << 10.0;
        QTest::newRow("not rounded") << 1.0 << 0.03937007874015748;
    }

    void toInches()
    {
        QFETCH(double, millimetres);
        QFETCH(double, inches);
        QCOMPARE(millimetresToInches(millimetres), inches);
        QCOMPARE(convertDistance(false, millimetres), inches);
    }

    void roundTrip()
    {
        // Whole millimetres survive a trip through inches.
        for (int mm = -1000; mm <= 100001; mm += 7)
            QCOMPARE(convertDistance(true, convertDistance(false, mm)), double(mm));
        QVERIFY(isInchUnit(1));
        for (int unit : {0, 2, 3})
            QVERIFY(!isInchUnit(unit));
    }
};

QTEST_GUILESS_MAIN(TestUnitConversion)
#include "tst_unitconversion.moc"
