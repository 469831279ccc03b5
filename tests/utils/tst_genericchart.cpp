#include <utils/genericchart.h>

#include <QtTest>
#include <qwt_plot.h>

using Utils::Charts::GenericChart;

class TestGenericChart : public QObject
{
    Q_OBJECT
private slots:
    void appendRules_data()
    {
        QTest::addColumn<QVector<double>>("xs");     // -1: no x given
        QTest::addColumn<QVector<double>>("values");
        QTest::addColumn<QVector<double>>("expectedXs");
        QTest::addColumn<QVector<double>>("expectedValues");
        QTest::newRow("below lower limit dropped")
            << QVector<double>{1, 2, 3} << QVector<double>{5, -70000, 6}
            << QVector<double>{1, 3} << QVector<double>{5, 6};
        QTest::newRow("x never goes back")
            << QVector<double>{5, 3, 8} << QVector<double>{1, 2, 3}
            << QVector<double>{5, 5, 8} << QVector<double>{1, 2, 3};
        QTest::newRow("missing x continues by one")
            << QVector<double>{-1, -1, 10, -1} << QVector<double>{1, 2, 3, 4}
            << QVector<double>{0, 1, 10, 11} << QVector<double>{1, 2, 3, 4};
    }

    void appendRules()
    {
        QFETCH(QVector<double>, xs);
        QFETCH(QVector<double>, values);
        GenericChart chart;
        for (int i = 0; i < xs.size(); ++i)
            chart.vAppendData(2, values[i], false, -65000.0, false, xs[i], -1.0);
        const auto *data = chart.getData(2);
        QTEST(QVector<double>(data->pxData(), data->pxData() + data->size()), "expectedXs");
        QTEST(QVector<double>(data->pyData(), data->pyData() + data->size()), "expectedValues");
    }

    void fakeFillsPauses()
    {
        GenericChart chart;
        chart.vAppendMultiFake(3, 100.0, false, -65000.0, false, 0.0, 1.0);
        chart.vAppendMultiFake(3, 110.0, false, -65000.0, false, 0.5, 1.0);
        chart.vAppendMultiFake(3, 200.0, false, -65000.0, false, 4.0, 1.0); // pause
        const auto *data = chart.getData(3);
        QCOMPARE(data->size(), 4);
        QCOMPARE(data->x(2), 4.0);
        QCOMPARE(data->y(2), 110.0); // held until the pause ended
        QCOMPARE(data->y(3), 200.0);
    }

    void dataTextRoundTrip()
    {
        GenericChart chart;
        for (int i = 0; i < 30; ++i)
            chart.vAppendData(3, 1000.0 + i * 0.1, false, -65000.0, false, i * 0.085);
        chart.vAppendData(3, 9999999.0, false, -65000.0, false, 3.0);
        const QString text = chart.dataToString(3);

        GenericChart other;
        other.vAppendData(3, 1.0);
        QVERIFY(other.setDataFromString(3, text, ';'));
        QCOMPARE(other.getData(3)->size(), 31);
        QCOMPARE(other.dataToString(3), text);
        QCOMPARE(other.getData(3)->lastY(), 9999999.0);
    }

    void loadedDataKeepsTimeMonotonic()
    {
        GenericChart chart;
        QVERIFY(chart.setDataFromString(0, QStringLiteral("5000;1;5001;2")));
        QVERIFY(chart.currentTime() >= 5001.0);
        chart.vAppendData(0, 3.0);
        QVERIFY(chart.getData(0)->lastX() >= 5001.0);
        QVERIFY(!chart.setDataFromString(9, QStringLiteral("1;2"))); // no such plot
    }

    void valueMarkerText_data()
    {
        QTest::addColumn<int>("precision");
        QTest::addColumn<QString>("custom");
        QTest::addColumn<QString>("expected");
        QTest::newRow("integer") << 0 << QString() << "1235";
        QTest::newRow("one decimal") << 1 << QString() << "1234.6";
        QTest::newRow("custom text wins") << 1 << "No data" << "No data";
    }

    void valueMarkerText()
    {
        QFETCH(int, precision);
        QFETCH(QString, custom);
        GenericChart chart;
        chart.setValuePrecision(3, precision);
        chart.vAppendMultiFake(3, 1234.56);
        chart.vSetValueMarkerCustomTextGraph(3, custom);
        QTEST(chart.valueMarkerText(3), "expected");
        chart.vSetValueMarkerCustomTextGraph(3, QString());
        QVERIFY(chart.valueMarkerText(3) != QLatin1String("No data"));
    }

    void xLines()
    {
        GenericChart chart;
        chart.setIndependentPlot(1, true, true);
        chart.createChartRectangles(1, 4);
        QCOMPARE(chart.xLineCount(1), 4);
        chart.vUpdateXLines(1, {1200.0, 2500.5, 0.0, 9000.0}, {40.0, 200.0, 0.0, 12.0});
        QCOMPARE(chart.xLinePosition(1, 1), 2500.5);
        QCOMPARE(chart.xLineHeight(1, 3), 12.0);
        chart.vUpdateXLines(1, {300.0}, {10.0}); // the rest go back to 0
        QCOMPARE(chart.xLinePosition(1, 3), 0.0);
        QCOMPARE(chart.xLineHeight(1, 3), 0.0);

        const QColor evaluated(0, 97, 158, 255);
        chart.vSetXLinesPen(2, evaluated);
        QCOMPARE(chart.xLineColor(1, 2), evaluated);
        chart.vSetXLinesPen(0, evaluated);
        QCOMPARE(chart.xLineColor(1, 0), evaluated);
        QVERIFY(chart.xLineColor(1, 2) != evaluated);
    }

    void minimumDockHeights_data()
    {
        QTest::addColumn<int>("height");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("expected");
        QTest::newRow("three docks share") << 860 << 3 << 200;
        QTest::newRow("never below the floor") << 300 << 3 << GenericChart::MinimumDockHeight;
    }

    void minimumDockHeights()
    {
        QFETCH(int, height);
        QFETCH(int, count);
        QFETCH(int, expected);
        GenericChart chart;
        chart.getDockChartItem(0)->hide();
        const int hiddenBefore = chart.getDockChartItem(0)->minimumHeight();
        chart.UpdateMinimumHeightsCustomDocksK4KR(height, 1100, count, 260);
        QCOMPARE(chart.getDockChartItem(3)->minimumHeight(), expected);
        QCOMPARE(chart.getDockChartItem(1)->minimumHeight(), expected);
        QCOMPARE(chart.getDockChartItem(0)->minimumHeight(), hiddenBefore);
    }

    void doubleClickSignals()
    {
        GenericChart chart;
        chart.setIndependentPlot(1, true, true);
        chart.resize(800, 600);
        chart.show();
        QVERIFY(QTest::qWaitForWindowExposed(&chart));
        QSignalSpy independent(&chart, &GenericChart::IndependentPlotDoubleClick);
        QSignalSpy reset(&chart, &GenericChart::vSignalZommResetForNoiseLine);

        QTest::mouseDClick(chart.poPlot(1)->canvas(), Qt::LeftButton);
        QCOMPARE(independent.count(), 1);
        QCOMPARE(independent.at(0).at(0).toInt(), 1);
        QCOMPARE(reset.count(), 0);

        QTest::mouseDClick(chart.poPlot(3)->canvas(), Qt::LeftButton);
        QCOMPARE(independent.count(), 1);
        QCOMPARE(reset.count(), 1);
    }
};

QTEST_MAIN(TestGenericChart)
#include "tst_genericchart.moc"
