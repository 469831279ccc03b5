#include "comm/pause.h"

#include <QtTest>

using namespace DirazSensorPlugin::Core;

class TestPause : public QObject
{
    Q_OBJECT
private slots:
    void realPausesByDefault()
    {
        QCOMPARE(pauseScale(), 1.0);
        QCOMPARE(scaledMs(400), 400);
    }

    void cleanup() { setPauseScale(1.0); }

    void scaled_data()
    {
        QTest::addColumn<double>("scale");
        QTest::addColumn<int>("ms");
        QTest::addColumn<int>("expected");
        QTest::newRow("real") << 1.0 << 120 << 120;
        QTest::newRow("tenth rounds") << 0.1 << 85 << 9;
        QTest::newRow("tick") << 0.5 << 10 << 5;
        QTest::newRow("off") << 0.0 << 4500 << 0;
        QTest::newRow("negative scale is off") << -2.0 << 50 << 0;
        QTest::newRow("negative pause") << 1.0 << -5 << 0;
        QTest::newRow("slower") << 2.0 << 20 << 40;
    }

    void scaled()
    {
        QFETCH(double, scale);
        QFETCH(int, ms);
        setPauseScale(scale);
        QTEST(scaledMs(ms), "expected");
    }
};

QTEST_GUILESS_MAIN(TestPause)
#include "tst_pause.moc"
