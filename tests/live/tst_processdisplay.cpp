// What a decoded answer shows in the window: the decoders' tables are in
// tst_processdecoding; here a few rows check that their results reach the
// process-data rows, the LEDs, the object rows and the charts.

#include "k4ktest.h"
#include "sensorwindowprobe.h"

#include "comm/pause.h"
#include "live/processdecoding.h"
#include "window/viewpositions.h"

#include <extensionsystem/globals.h>
#include <utils/genericchart.h>
#include <utils/valueovertime.h>

#include <QFont>
#include <QIcon>
#include <QPixmap>
#include <QTreeWidgetItem>
#include <QtTest>

using namespace K4KTest;
using namespace DirazSensorPlugin::Core;

namespace {

struct Window
{
    SensorWindowProbe w{nullptr, shippedDescription()};

    explicit Window(int unit = 0)
    {
        w.p().liveData = true;
        w.p().measurementUnit = unit;
        w.connected = true;
    }
    QTreeWidgetItem *row(int position) { return w.p().stateRows.at(position); }
    Utils::Charts::GenericChart *chart() { return w.p().chart; }
    int samples(int graph) { return chart()->getData(graph)->size(); }
    int specialPoints(int graph)
    {
        int points = 0;
        const Utils::Charts::ValueOverTime *data = chart()->getData(graph);
        for (int s = 0; s < data->size(); ++s)
            points += data->y(s) == SpecialCodePoint ? 1 : 0;
        return points;
    }
};

const int kGraphs[3] = {DistancePlot, SpeedPlot, IntensityPlot};

bool showsPicture(QTreeWidgetItem *row)
{
    return row->data(2, Qt::DecorationRole).userType() == QMetaType::QPixmap;
}

QImage icon(const QString &name)
{
    return QIcon(QStringLiteral(":/newPrefix/icons/") + name).pixmap(16).toImage();
}

} // namespace

class ProcessDisplayTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        ExtensionSystem::Globals::setLanguage("en");
        setPauseScale(0.0);
    }

    void answerReachesRowsAndCharts_data()
    {
        QTest::addColumn<int>("unit");
        QTest::addColumn<QStringList>("answers");
        QTest::addColumn<QStringList>("rows");    // "column 2|column 3" of rows 0, 1, 2
        QTest::addColumn<QStringList>("markers"); // of graphs distance, speed, intensity; empty: not checked
        QTest::addColumn<QList<int>>("special");  // special points per graph after the answers; -1: not checked

        const QString zero = cycle("000000000000");
        QTest::newRow("layout 3 values") << 3 << QStringList{cycle("000fa0012c64")}
                                         << QStringList{"4000| mm", "300|mm/s", "100|"} << QStringList{"", "", ""}
                                         << QList<int>{0, 0, 0};
        QTest::newRow("layout 2 speed code, each answer adds its point")
            << 2 << QStringList{cycle("000003e88008"), cycle("000003e88008")}
            << QStringList{"1000| mm", "|Object too near", "-|"} << QStringList{"", "Obj. too near", ""}
            << QList<int>{0, 2, 0};
        QTest::newRow("a value after a code clears it")
            << 3 << QStringList{cycle("007ffc7ffcff"), cycle("0003e8012c64")} << QStringList{"1000| mm", "300|mm/s", "100|"}
            << QStringList{"", "", ""} << QList<int>{1, 0, 0};
        // The zero-answer history lives as long as the window.
        QTest::newRow("second zero answer") << 3 << QStringList{cycle("0007d0012c64"), zero, zero}
                                            << QStringList{"|Object too near", "", ""} << QStringList{"", "", ""}
                                            << QList<int>{1, -1, -1};
    }

    void answerReachesRowsAndCharts()
    {
        QFETCH(int, unit);
        QFETCH(QStringList, answers);
        QFETCH(QStringList, rows);
        QFETCH(QStringList, markers);
        QFETCH(QList<int>, special);
        Window win(unit);
        win.row(0)->setText(0, QStringLiteral("renamed"));
        for (const QString &answer : answers)
            win.w.decodeProcessData(answer);

        QCOMPARE(win.row(0)->text(0), QStringLiteral("Distance"));
        for (int r = 0; r < 3; ++r) {
            if (!rows[r].isEmpty())
                QCOMPARE(win.row(r)->text(2) + '|' + win.row(r)->text(3), rows[r]);
            if (!markers[r].isEmpty())
                QCOMPARE(win.chart()->valueMarkerText(kGraphs[r]), markers[r]);
            if (special[r] >= 0)
                QCOMPARE(win.specialPoints(kGraphs[r]), special[r]);
        }
        if (QTest::currentDataTag() == QLatin1String("layout 3 values")) {
            QCOMPARE(win.chart()->getData(DistancePlot)->lastY(), 4000.0);
            QCOMPARE(win.chart()->getData(SpeedPlot)->lastY(), 300.0);
            QCOMPARE(win.chart()->getData(IntensityPlot)->lastY(), 100.0);
        }
        if (QTest::currentDataTag() == QLatin1String("a value after a code clears it"))
            for (int graph : kGraphs)
                QVERIFY(win.chart()->valueMarkerText(graph) != QStringLiteral("No data"));
    }

    void nothingShownWithoutLiveDataOrConnection_data()
    {
        QTest::addColumn<bool>("liveData");
        QTest::addColumn<bool>("connected");
        QTest::newRow("live data off") << false << true;
        QTest::newRow("not connected") << true << false;
    }

    void nothingShownWithoutLiveDataOrConnection()
    {
        QFETCH(bool, liveData);
        QFETCH(bool, connected);
        Window win(0);
        win.w.p().liveData = liveData;
        win.w.connected = connected;
        win.w.decodeProcessData(cycle("0000000fa000", "ff"));
        QCOMPARE(win.row(0)->text(2), QStringLiteral(" 0 "));
        QCOMPARE(win.samples(DistancePlot), 0);
        QCOMPARE(win.row(3)->text(3), QStringLiteral("Off"));
        QCOMPARE(win.w.p().lastDistance, 0);
    }

    void statusBitsShowTheirLed_data()
    {
        QTest::addColumn<int>("bit");
        QTest::addColumn<QString>("onPicture");
        QTest::addColumn<QString>("offPicture");
        QTest::newRow("bit 0: output 1") << 0 << "led_state_2_1.svg" << "led_state_1_1.svg";
        QTest::newRow("bit 1: output 2") << 1 << "led_state_2_2.svg" << "led_state_1_2.svg";
        for (int bit = 2; bit < 8; ++bit)
            QTest::newRow(qPrintable(QStringLiteral("bit %1: warning").arg(bit)))
                << bit << "!_galben_cerc_negru.svg" << "led_state_F_2.svg";
    }

    void statusBitsShowTheirLed()
    {
        QFETCH(int, bit);
        QFETCH(QString, onPicture);
        QFETCH(QString, offPicture);
        Window win(0);
        // From all on, so a row left alone would be noticed; the bit's
        // neighbours stay on, so a shifted bit would be noticed too.
        win.w.decodeProcessData(cycle("0000000fa000", "ff"));
        win.w.decodeProcessData(cycle("0000000fa000", QString::asprintf("%02x", 0xff & ~(1 << bit))));
        QTreeWidgetItem *row = win.row(3 + bit);
        QCOMPARE(row->text(3), QStringLiteral("Off"));
        QVERIFY(!showsPicture(row));
        QCOMPARE(row->icon(2).pixmap(16).toImage(), icon(offPicture));
        for (int other = 0; other < 8; ++other)
            QCOMPARE(win.row(3 + other)->text(3), other == bit ? QStringLiteral("Off") : QStringLiteral("On"));

        win.w.decodeProcessData(cycle("0000000fa000", QString::asprintf("%02x", 1 << bit)));
        QCOMPARE(row->text(3), QStringLiteral("On"));
        QVERIFY(showsPicture(row));
        const QPixmap shown = row->data(2, Qt::DecorationRole).value<QPixmap>();
        const QPixmap expected = QPixmap(QStringLiteral(":/newPrefix/icons/") + onPicture)
                                     .scaled(40, 40, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        QVERIFY(!expected.isNull());
        QCOMPARE(shown.toImage(), expected.toImage());
    }

    // A language change writes "Off" into every LED row whatever it shows.
    void ledsFollowAfterRowsWereRelabelled()
    {
        Window win(0);
        win.w.decodeProcessData(cycle("0000000fa000", "f0"));
        for (int position = 3; position <= 10; ++position)
            win.row(position)->setText(3, QStringLiteral("Off"));
        win.w.decodeProcessData(cycle("0000000fa000", "f0"));
        for (int bit = 0; bit < 8; ++bit)
            QCOMPARE(win.row(3 + bit)->text(3), bit >= 4 ? QStringLiteral("On") : QStringLiteral("Off"));

        // And a row relabelled "On" by hand while its LED is off.
        win.row(3)->setText(3, QStringLiteral("On"));
        win.w.decodeProcessData(cycle("0000000fa000", "00"));
        for (int bit = 0; bit < 8; ++bit) {
            QCOMPARE(win.row(3 + bit)->text(3), QStringLiteral("Off"));
            QVERIFY(!showsPicture(win.row(3 + bit)));
        }
    }

    void objectRows_data()
    {
        QTest::addColumn<int>("unit");
        QTest::addColumn<QString>("unitText");
        QTest::addColumn<QString>("block");
        QTest::addColumn<QStringList>("texts"); // column 3 of rows 16..23
        QTest::addColumn<QList<double>>("lines");

        const QString mixed = objectBlock(2, {"000005dc", "80000008", "7ffffff8", "ffffffff"}, {100, 0, 255, 7});
        QTest::newRow("millimetres, codes and missing objects")
            << 0 << " mm" << mixed
            << QStringList{"1500.0 mm", "100", "Object too close", "0", "Object too far", "0", "0.0 mm", "7"}
            << QList<double>{1500.0, double(0x80000008u), double(0x7ffffff8u), 0.0};
        QTest::newRow("inches")
            << 1 << " inch" << objectBlock(0, {"000005dc", "00000bb8", "7ffffffc", "ffffffff"}, {9, 8, 0, 255})
            << QStringList{"59.1 inch", "9", "118.1 inch", "8", " No data", "0", "0.0 inch", "0"}
            << QList<double>{1500 / 25.4, 3000 / 25.4, double(0x7ffffffcu) / 25.4, 0.0};
        // A block of the wrong length is no object information.
        QTest::newRow("78 characters") << 0 << " mm" << mixed.left(78) << QStringList(QVector<QString>(8, "unchanged").toList())
                                       << QList<double>{0, 0, 0, 0};
    }

    void objectRows()
    {
        QFETCH(int, unit);
        QFETCH(QString, unitText);
        QFETCH(QString, block);
        QFETCH(QStringList, texts);
        QFETCH(QList<double>, lines);
        Window win(unit);
        win.w.p().distanceUnitText = unitText;
        for (int i = 0; i < 8; ++i)
            win.row(16 + i)->setText(3, QStringLiteral("unchanged"));
        win.w.decodeObjectInfo(block);
        for (int i = 0; i < 8; ++i)
            QCOMPARE(win.row(16 + i)->text(3), texts[i]);
        for (int k = 0; k < 4; ++k)
            QVERIFY2(qAbs(win.chart()->xLinePosition(1, k) - lines[k]) < 1e-6 * qMax(1.0, lines[k]),
                     qPrintable(QString::number(k)));
    }

    void evaluatedObjectMoves()
    {
        Window win(0);
        const QColor evaluated(0, 97, 158);
        const QStringList distances{"000003e8", "000007d0", "00000bb8", "00000fa0"};
        win.w.decodeObjectInfo(objectBlock(1, distances, {40, 30, 20, 10}));
        QVERIFY(win.row(18)->font(0).bold());
        QVERIFY(win.row(19)->font(3).bold());
        QCOMPARE(win.row(18)->foreground(3).color(), evaluated);
        QCOMPARE(win.chart()->xLineColor(1, 1), evaluated);
        QCOMPARE(win.chart()->xLineHeight(1, 2), 20.0);

        win.w.decodeObjectInfo(objectBlock(3, distances, {40, 30, 20, 10}));
        for (int position = 16; position <= 21; ++position) {
            QVERIFY2(!win.row(position)->font(0).bold(), qPrintable(QString::number(position)));
            QCOMPARE(win.row(position)->foreground(0).color(), QColor(Qt::darkGray));
        }
        QVERIFY(win.row(23)->font(0).bold());
        QCOMPARE(win.row(23)->foreground(0).color(), evaluated);
        QCOMPARE(win.chart()->xLineColor(1, 3), evaluated);
        QVERIFY(win.chart()->xLineColor(1, 1) != evaluated);

        // An index outside 0..3 leaves every object grey.
        win.w.decodeObjectInfo(objectBlock(9, distances, {40, 30, 20, 10}));
        for (int position = 16; position <= 23; ++position)
            QVERIFY(!win.row(position)->font(0).bold());
    }
};

QTEST_MAIN(ProcessDisplayTest)
#include "tst_processdisplay.moc"
