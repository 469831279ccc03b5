// What a decoded answer shows in the window: process-data rows, special
// codes on rows and charts, zero answers, status LEDs and object rows.

#include "sensorwindowprobe.h"

#include "catalogue/catalogue.h"
#include "comm/pause.h"
#include "live/processdecoding.h"

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

std::string shippedDescription()
{
    return (QCoreApplication::applicationDirPath() + "/IoLinkK4Kv7family.xml").toStdString();
}

class DisplayProbe : public SensorWindowProbe
{
public:
    using SensorWindowProbe::SensorWindowProbe;
    using SensorWindow::decodeObjectInfo;
    using SensorWindow::decodeProcessData;
};

// A cycle answer: header, the 12 process-data characters, the status octet.
QString cycle(const QString &processData, const QString &status = QStringLiteral("00"))
{
    return QStringLiteral("09aa55") + processData + status;
}

// Object block: unused octets "cd"; `index` names the evaluated object.
QString objectBlock(int index, const QStringList &distances, const QList<int> &signalValues)
{
    QString hex = QStringLiteral("cdcdcdcdcdcdcd") + QString::asprintf("%02x", index);
    for (const QString &d : distances)
        hex += d;
    for (int s : signalValues)
        hex += QStringLiteral("cdcdcd") + QString::asprintf("%02x", s);
    return hex;
}

struct Window
{
    DisplayProbe w{nullptr, shippedDescription()};

    explicit Window(int unit = 0)
    {
        w.p().liveData = true;
        w.p().measurementUnit = unit;
        w.connected = true;
    }
    QTreeWidgetItem *row(int position) { return w.p().stateRows.at(position); }
    Utils::Charts::GenericChart *chart() { return w.p().chart; }
    int samples(int graph) { return chart()->getData(graph)->size(); }
    double last(int graph) { return chart()->getData(graph)->lastY(); }
};

// No sample expected on a graph.
constexpr double None = -1.0e12;

bool showsPicture(QTreeWidgetItem *row)
{
    return row->data(2, Qt::DecorationRole).userType() == QMetaType::QPixmap;
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

    void layouts_data();
    void layouts();
    void specialCodes_data();
    void specialCodes();
    void valueAfterSpecialClearsTheMarker();
    void zeroAnswers_data();
    void zeroAnswers();
    void nothingShownWithoutLiveDataOrConnection_data();
    void nothingShownWithoutLiveDataOrConnection();
    void statusOctet_data();
    void statusOctet();
    void ledsFollowAfterRowsWereRelabelled();
    void objectRows_data();
    void objectRows();
    void evaluatedObjectMoves();
    void objectBlockOfWrongLengthIsIgnored();
};

void ProcessDisplayTest::layouts_data()
{
    QTest::addColumn<int>("unit");
    QTest::addColumn<QString>("processData");
    QTest::addColumn<QStringList>("distanceRow"); // columns 2, 3
    QTest::addColumn<QStringList>("speedRow");
    QTest::addColumn<QStringList>("intensityRow");
    QTest::addColumn<QList<double>>("lastPoints"); // graphs 3, 0, 2; None when none

    QTest::newRow("layout 0: 32-bit distance")
        << 0 << "0000000fa000" << QStringList{"4000", " mm"} << QStringList{"-", ""} << QStringList{"-", ""}
        << QList<double>{4000, None, None};
    QTest::newRow("layout 1: tenths")
        << 1 << "0000000fa000" << QStringList{"400", " mm"} << QStringList{"-", ""} << QStringList{"-", ""}
        << QList<double>{400, None, None};
    QTest::newRow("layout 2: 24-bit distance, signed speed")
        << 2 << "00000fa0ff38" << QStringList{"4000", " mm"} << QStringList{"-200", "mm/s"} << QStringList{"-", ""}
        << QList<double>{4000, -200, None};
    QTest::newRow("layout 3: 16-bit distance, speed, intensity")
        << 3 << "000fa0012c64" << QStringList{"4000", " mm"} << QStringList{"300", "mm/s"} << QStringList{"100", ""}
        << QList<double>{4000, 300, 100};
    QTest::newRow("layout 3: octet 3 is not decoded")
        << 3 << "ff0fa0012c64" << QStringList{"4000", " mm"} << QStringList{"300", "mm/s"} << QStringList{"100", ""}
        << QList<double>{4000, 300, 100};
}

void ProcessDisplayTest::layouts()
{
    QFETCH(int, unit);
    QFETCH(QString, processData);
    QFETCH(QStringList, distanceRow);
    QFETCH(QStringList, speedRow);
    QFETCH(QStringList, intensityRow);
    QFETCH(QList<double>, lastPoints);
    Window win(unit);
    win.row(0)->setText(0, QStringLiteral("renamed"));
    win.w.decodeProcessData(cycle(processData));

    QCOMPARE(win.row(0)->text(0), QStringLiteral("Distance"));
    const QStringList rows[3] = {distanceRow, speedRow, intensityRow};
    for (int r = 0; r < 3; ++r) {
        QCOMPARE(win.row(r)->text(2), rows[r][0]);
        QCOMPARE(win.row(r)->text(3), rows[r][1]);
    }
    const int graphs[3] = {3, 0, 2};
    for (int i = 0; i < 3; ++i) {
        if (lastPoints[i] == None) {
            QCOMPARE(win.samples(graphs[i]), 0);
        } else {
            QCOMPARE(win.samples(graphs[i]), 1);
            QCOMPARE(win.last(graphs[i]), lastPoints[i]);
        }
    }
}

void ProcessDisplayTest::specialCodes_data()
{
    QTest::addColumn<int>("unit");
    QTest::addColumn<QString>("processData");
    QTest::addColumn<QStringList>("rowTexts");    // column 3 of rows 0, 1, 2
    QTest::addColumn<QStringList>("markerTexts"); // graphs 3, 0, 2
    QTest::addColumn<QList<int>>("specialPoints"); // graphs 3, 0, 2

    QTest::newRow("layout 0 no data")
        << 0 << "007ffffffc00" << QStringList{"No data", "", ""} << QStringList{"No data", "", ""}
        << QList<int>{1, 0, 0};
    QTest::newRow("layout 0 too far")
        << 0 << "007ffffff800" << QStringList{"Object too far", "", ""} << QStringList{"Obj. too far", "", ""}
        << QList<int>{1, 0, 0};
    QTest::newRow("layout 0 too near")
        << 0 << "008000000800" << QStringList{"Object too near", "", ""} << QStringList{"Object too near", "", ""}
        << QList<int>{1, 0, 0};
    QTest::newRow("layout 2 distance and speed: one point, both texts")
        << 2 << "007ffff87ff8" << QStringList{"Object too far", "Object too far", ""}
        << QStringList{"Obj. too far", "Obj. too far", ""} << QList<int>{1, 0, 0};
    QTest::newRow("layout 2 speed too near")
        << 2 << "000003e88008" << QStringList{" mm", "Object too near", ""}
        << QStringList{"", "Obj. too near", ""} << QList<int>{0, 1, 0};
    QTest::newRow("layout 3 too far")
        << 3 << "00fffe7ff8fe" << QStringList{"Object too far", "Object too far", "Object too far"}
        << QStringList{"Obj. too far", "Obj. too far", "Obj. too far"} << QList<int>{1, 0, 0};
    QTest::newRow("layout 3 intensity alone")
        << 3 << "0003e8000aff" << QStringList{" mm", "mm/s", "No data"} << QStringList{"", "", "No data"}
        << QList<int>{0, 0, 1};
    QTest::newRow("layout 3 no data")
        << 3 << "007ffc7ffcff" << QStringList{"No data", "No data", "No data"}
        << QStringList{"No data", "No data", "No data"} << QList<int>{1, 0, 0};
    // Codes of another layout are plain values here.
    QTest::newRow("layout 0 with a 16-bit code")
        << 0 << "0000007ffc00" << QStringList{" mm", "", ""} << QStringList{"", "", ""} << QList<int>{0, 0, 0};
}

void ProcessDisplayTest::specialCodes()
{
    QFETCH(int, unit);
    QFETCH(QString, processData);
    QFETCH(QStringList, rowTexts);
    QFETCH(QStringList, markerTexts);
    QFETCH(QList<int>, specialPoints);
    Window win(unit);
    win.w.decodeProcessData(cycle(processData));

    const int graphs[3] = {3, 0, 2};
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(win.row(i)->text(3), rowTexts[i]);
        if (rowTexts[i].startsWith(QLatin1String("Obj")) || rowTexts[i] == QLatin1String("No data"))
            QCOMPARE(win.row(i)->text(2), QString());
        if (!markerTexts[i].isEmpty())
            QCOMPARE(win.chart()->valueMarkerText(graphs[i]), markerTexts[i]);
        int points = 0;
        const Utils::Charts::ValueOverTime *data = win.chart()->getData(graphs[i]);
        for (int s = 0; s < data->size(); ++s)
            points += data->y(s) == SpecialCodePoint ? 1 : 0;
        QCOMPARE(points, specialPoints[i]);
    }
    // The next answer adds its point again: the flag lives for one answer.
    win.w.decodeProcessData(cycle(processData));
    int points = 0;
    for (int i = 0; i < 3; ++i) {
        const Utils::Charts::ValueOverTime *data = win.chart()->getData(graphs[i]);
        for (int s = 0; s < data->size(); ++s)
            points += data->y(s) == SpecialCodePoint ? 1 : 0;
    }
    int before = 0;
    for (int p : specialPoints)
        before += p;
    QCOMPARE(points, 2 * before);
}

void ProcessDisplayTest::valueAfterSpecialClearsTheMarker()
{
    Window win(3);
    win.w.decodeProcessData(cycle("007ffc7ffcff"));
    QCOMPARE(win.chart()->valueMarkerText(3), QStringLiteral("No data"));
    win.w.decodeProcessData(cycle("0003e8012c64"));
    QCOMPARE(win.row(0)->text(2), QStringLiteral("1000"));
    QCOMPARE(win.row(0)->text(3), QStringLiteral(" mm"));
    QCOMPARE(win.row(2)->text(3), QString());
    for (int graph : {3, 0, 2})
        QVERIFY(win.chart()->valueMarkerText(graph) != QStringLiteral("No data"));
    QCOMPARE(win.last(3), 1000.0);
    QCOMPARE(win.last(0), 300.0);
    QCOMPARE(win.last(2), 100.0);
}

void ProcessDisplayTest::zeroAnswers_data()
{
    QTest::addColumn<int>("unit");
    QTest::addColumn<QStringList>("answers");
    QTest::addColumn<QString>("distanceValue");
    QTest::addColumn<QString>("distanceText");

    const QString valid3 = cycle("0007d0012c64");
    const QString zero = cycle("000000000000");
    QTest::newRow("layout 3: first zero answer keeps the values")
        << 3 << QStringList{valid3, zero} << "2000" << " mm";
    QTest::newRow("layout 3: second zero answer is too near")
        << 3 << QStringList{valid3, zero, zero} << "" << "Object too near";
    QTest::newRow("layout 3: a value in between starts again")
        << 3 << QStringList{valid3, zero, valid3, zero} << "2000" << " mm";
    QTest::newRow("layout 3: status octet upper digit breaks the zero run")
        << 3 << QStringList{valid3, zero, cycle("000000000000", "10")} << "0" << " mm";
    QTest::newRow("layout 0: zeros are a distance of 0")
        << 0 << QStringList{cycle("00000007d000"), zero, zero} << "2000" << " mm";
}

void ProcessDisplayTest::zeroAnswers()
{
    QFETCH(int, unit);
    QFETCH(QStringList, answers);
    QFETCH(QString, distanceValue);
    QFETCH(QString, distanceText);
    Window win(unit);
    for (const QString &answer : answers)
        win.w.decodeProcessData(answer);
    QCOMPARE(win.row(0)->text(2), distanceValue);
    QCOMPARE(win.row(0)->text(3), distanceText);
}

void ProcessDisplayTest::nothingShownWithoutLiveDataOrConnection_data()
{
    QTest::addColumn<bool>("liveData");
    QTest::addColumn<bool>("connected");
    QTest::newRow("live data off") << false << true;
    QTest::newRow("not connected") << true << false;
}

void ProcessDisplayTest::nothingShownWithoutLiveDataOrConnection()
{
    QFETCH(bool, liveData);
    QFETCH(bool, connected);
    Window win(0);
    win.w.p().liveData = liveData;
    win.w.connected = connected;
    win.w.decodeProcessData(cycle("0000000fa000", "ff"));
    QCOMPARE(win.row(0)->text(2), QStringLiteral(" 0 "));
    QCOMPARE(win.samples(3), 0);
    QCOMPARE(win.row(3)->text(3), QStringLiteral("Off"));
    QCOMPARE(win.w.p().lastDistance, 0);
}

void ProcessDisplayTest::statusOctet_data()
{
    QTest::addColumn<QString>("status");
    QTest::addColumn<QString>("onRows"); // one character per row 3..10

    QTest::newRow("0x00") << "00" << "00000000";
    QTest::newRow("0x81: first and last") << "81" << "10000001";
    QTest::newRow("0x02: second output") << "02" << "01000000";
    QTest::newRow("0xfc: warnings only") << "fc" << "00111111";
    QTest::newRow("0x5a") << "5a" << "01011010";
}

void ProcessDisplayTest::statusOctet()
{
    QFETCH(QString, status);
    QFETCH(QString, onRows);
    Window win(0);
    // From all on, so a row left alone would be noticed.
    win.w.decodeProcessData(cycle("0000000fa000", "ff"));
    win.w.decodeProcessData(cycle("0000000fa000", status));
    for (int bit = 0; bit < 8; ++bit) {
        QTreeWidgetItem *row = win.row(3 + bit);
        const bool on = onRows[bit] == QLatin1Char('1');
        QCOMPARE(row->text(3), on ? QStringLiteral("On") : QStringLiteral("Off"));
        QCOMPARE(showsPicture(row), on);
        if (on) {
            const QPixmap picture = row->data(2, Qt::DecorationRole).value<QPixmap>();
            QVERIFY(!picture.isNull());
            QCOMPARE(qMax(picture.width(), picture.height()), 40);
        } else {
            QVERIFY(!row->icon(2).isNull());
        }
    }
}

// A language change writes "Off" into every LED row whatever it shows.
void ProcessDisplayTest::ledsFollowAfterRowsWereRelabelled()
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

void ProcessDisplayTest::objectRows_data()
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
}

void ProcessDisplayTest::objectRows()
{
    QFETCH(int, unit);
    QFETCH(QString, unitText);
    QFETCH(QString, block);
    QFETCH(QStringList, texts);
    QFETCH(QList<double>, lines);
    Window win(unit);
    win.w.p().distanceUnitText = unitText;
    win.w.decodeObjectInfo(block);
    for (int i = 0; i < 8; ++i)
        QCOMPARE(win.row(16 + i)->text(3), texts[i]);
    for (int k = 0; k < 4; ++k)
        QVERIFY2(qAbs(win.chart()->xLinePosition(1, k) - lines[k]) < 1e-6 * qMax(1.0, lines[k]),
                 qPrintable(QString::number(k)));
}

void ProcessDisplayTest::evaluatedObjectMoves()
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
    QVERIFY(win.row(22)->font(3).bold());
    QVERIFY(win.row(23)->font(0).bold());
    QCOMPARE(win.row(23)->foreground(0).color(), evaluated);
    QCOMPARE(win.chart()->xLineColor(1, 3), evaluated);
    QVERIFY(win.chart()->xLineColor(1, 1) != evaluated);

    // An index outside 0..3 leaves every object grey.
    win.w.decodeObjectInfo(objectBlock(9, distances, {40, 30, 20, 10}));
    for (int position = 16; position <= 23; ++position)
        QVERIFY(!win.row(position)->font(0).bold());
}

void ProcessDisplayTest::objectBlockOfWrongLengthIsIgnored()
{
    Window win(0);
    const QString block = objectBlock(0, {"000005dc", "ffffffff", "ffffffff", "ffffffff"}, {1, 2, 3, 4});
    win.row(16)->setText(3, QStringLiteral("unchanged"));
    win.w.decodeObjectInfo(block.left(78));
    win.w.decodeObjectInfo(block + QStringLiteral("00"));
    QCOMPARE(win.row(16)->text(3), QStringLiteral("unchanged"));
    QCOMPARE(win.chart()->xLinePosition(1, 0), 0.0);
    win.w.decodeObjectInfo(block);
    QCOMPARE(win.row(16)->text(3), QStringLiteral("1500.0 mm"));
}

QTEST_MAIN(ProcessDisplayTest)
#include "tst_processdisplay.moc"
