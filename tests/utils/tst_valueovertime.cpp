#include <utils/valueovertime.h>
#include <utils/valueovertimeseries.h>

#include <QWidget>

#include <QtTest>

using Utils::Charts::ValueOverTime;

class TestValueOverTime : public QObject
{
    Q_OBJECT
private slots:
    void keepsNewestInOrder_data()
    {
        QTest::addColumn<int>("capacity");
        QTest::addColumn<int>("appended");
        QTest::newRow("empty") << 5 << 0;
        QTest::newRow("below capacity") << 5 << 3;
        QTest::newRow("exactly full") << 5 << 5;
        QTest::newRow("one over") << 5 << 6;
        QTest::newRow("wrapped several times") << 7 << 52;
        QTest::newRow("capacity one") << 1 << 4;
    }

    void keepsNewestInOrder()
    {
        QFETCH(int, capacity);
        QFETCH(int, appended);
        ValueOverTime series(capacity);
        for (int i = 0; i < appended; ++i)
            series.append(i * 0.5, 100.0 + i);

        const int expected = std::min(capacity, appended);
        QCOMPARE(series.size(), expected);
        const int first = appended - expected;
        // The plot reads the samples through plain pointers, oldest first.
        const double *xs = series.pxData();
        const double *ys = series.pyData();
        QCOMPARE(!xs, expected == 0);
        for (int i = 0; i < expected; ++i) {
            QCOMPARE(series.x(i), (first + i) * 0.5);
            QCOMPARE(ys[i], 100.0 + first + i);
            QCOMPARE(xs[i], series.x(i));
        }
        series.clear();
        QVERIFY(!series.pyData());
    }

    // A text longer than the series keeps its newest samples.
    void textLongerThanCapacityKeepsNewest()
    {
        ValueOverTime series(4);
        QVERIFY(series.fromString(QStringLiteral("1;10;2;20;3;30;4;40;5;50")));
        QCOMPARE(series.size(), 4);
        QCOMPARE(series.x(0), 2.0);
        QCOMPARE(series.y(3), 50.0);
    }

    void lowerBound_data()
    {
        QTest::addColumn<double>("x");
        QTest::addColumn<int>("index");
        // Series after wrapping: x = 3, 4, 4, 5, 7
        QTest::newRow("before all") << 0.0 << 0;
        QTest::newRow("first") << 3.0 << 0;
        QTest::newRow("between") << 3.5 << 1;
        QTest::newRow("first of equal run") << 4.0 << 1;
        QTest::newRow("gap") << 6.0 << 4;
        QTest::newRow("after all") << 8.0 << 5;
    }

    void lowerBound()
    {
        QFETCH(double, x);
        ValueOverTime series(5);
        for (double v : {1.0, 2.0, 3.0, 4.0, 4.0, 5.0, 7.0})
            series.append(v, 0.0);
        QTEST(series.lowerBound(x), "index");
    }

    void textRoundTrip_data()
    {
        QTest::addColumn<QVector<double>>("values"); // x, y, x, y, ...
        QTest::addColumn<QChar>("separator");
        QTest::newRow("empty") << QVector<double>{} << QChar(';');
        QTest::newRow("integers") << QVector<double>{0, 1000, 0.085, 1001} << QChar(';');
        QTest::newRow("awkward decimals") << QVector<double>{0.1, 1.0 / 3.0, 1e-9, -65000.5}
                                          << QChar(';');
        QTest::newRow("special point") << QVector<double>{12.25, 9999999.0} << QChar(';');
        QTest::newRow("other separator") << QVector<double>{1.5, 2.5, 3.5, -4.5} << QChar('|');
    }

    void textRoundTrip()
    {
        QFETCH(QVector<double>, values);
        QFETCH(QChar, separator);
        ValueOverTime original(100);
        for (int i = 0; i + 1 < values.size(); i += 2)
            original.append(values[i], values[i + 1]);

        const QString text = original.toString(separator);
        ValueOverTime copy(100);
        copy.append(42.0, 42.0); // replaced, not appended to
        QVERIFY(copy.fromString(text, separator));
        QCOMPARE(copy.size(), original.size());
        for (int i = 0; i < original.size(); ++i) {
            QCOMPARE(copy.x(i), original.x(i)); // exact: no digits lost
            QCOMPARE(copy.y(i), original.y(i));
        }
    }

    void malformedTextLeavesSeries_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("odd count") << "1;2;3";
        QTest::newRow("word") << "1;2;abc;4";
        QTest::newRow("decimal comma") << "1,5;2";
    }

    void malformedTextLeavesSeries()
    {
        QFETCH(QString, text);
        ValueOverTime series(10);
        series.append(1.0, 2.0);
        QVERIFY(!series.fromString(text));
        QCOMPARE(series.size(), 1);
        QCOMPARE(series.lastY(), 2.0);
    }

    void thinnedSeriesKeepsExtremes_data()
    {
        QTest::addColumn<int>("capacity");
        QTest::addColumn<int>("before"); // samples before the first look
        QTest::addColumn<int>("after");  // appended between the two looks
        QTest::newRow("grows") << 50000 << 20000 << 7000;
        QTest::newRow("oldest dropped") << 10000 << 10000 << 4321;
        QTest::newRow("whole history replaced") << 3000 << 3000 << 9000;
    }

    // A thinned series must show every column's lowest and highest sample in
    // time order, also after samples were added to columns it had built before.
    void thinnedSeriesKeepsExtremes()
    {
        QFETCH(int, capacity);
        QFETCH(int, before);
        QFETCH(int, after);
        Utils::Charts::ValueOverTime data(capacity);
        QWidget canvas;
        canvas.resize(100, 50);
        Utils::Charts::ValueOverTimeSeries series(&data);
        series.setCanvas(&canvas);
        auto value = [](int i) { return double((i * 7919) % 1000) - (i % 997 == 0 ? 5000.0 : 0.0); };
        int appended = 0;
        auto add = [&](int count) {
            for (int i = 0; i < count; ++i, ++appended)
                data.append(appended * 0.01, value(appended));
        };
        add(before);
        series.setRectOfInterest(QRectF(QPointF(data.x(0), -1e6), QPointF(data.lastX(), 1e6)));
        QVERIFY(series.isDecimated());
        add(after);
        const QRectF visible(QPointF(data.x(0), -1e6), QPointF(data.lastX(), 1e6));
        series.setRectOfInterest(visible);
        const size_t shown = series.size();
        QVERIFY(series.isDecimated());
        QVERIFY(shown <= 2 * 103);

        const double width = visible.width() / canvas.width();
        using Columns = QMap<qint64, QPair<double, double>>; // column -> lowest, highest
        const auto note = [width](Columns &columns, const QPointF &p) {
            const qint64 key = qint64(std::floor(p.x() / width));
            const auto it = columns.find(key);
            columns[key] = it == columns.end() ? qMakePair(p.y(), p.y())
                                               : qMakePair(std::min(it->first, p.y()), std::max(it->second, p.y()));
        };
        Columns expected, got;
        for (int i = 0; i < data.size(); ++i)
            note(expected, QPointF(data.x(i), data.y(i)));
        double lastX = -1.0;
        for (size_t i = 0; i < shown; ++i) {
            const QPointF p = series.sample(i);
            QVERIFY2(p.x() >= lastX, "samples out of time order");
            lastX = p.x();
            note(got, p);
        }
        QCOMPARE(got, expected);
    }
};

QTEST_MAIN(TestValueOverTime)
#include "tst_valueovertime.moc"
