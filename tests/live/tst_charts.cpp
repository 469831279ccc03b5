// Threshold markers dragged on the charts, millimetre and inch display, and
// the chart actions (clear, print, export) of the sensor window.

#include "simwindowrig.h"

#include "comm/pause.h"
#include "persistence/dialoglayer.h"

#include <extensionsystem/globals.h>
#include <utils/exportdialog.h>
#include <utils/genericchart.h>
#include <utils/thresholdwindowwidgetgeneric.h>
#include <utils/thresholdwindowwidgetuniversal.h>
#include <utils/valueovertime.h>

#include <QComboBox>
#include <QFileDialog>
#include <QToolBar>
#include <QtTest>

#include <cmath>

using namespace K4KTest;
using namespace DirazSensorPlugin::Core;

class ChartsTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { prepareWindowTests(); }
    void init() { DialogLayer::reset(); }

    void switchingMarkerDrag_data()
    {
        QTest::addColumn<bool>("connected");
        QTest::addColumn<int>("unit");
        QTest::addColumn<int>("output");
        QTest::addColumn<uint>("mark");
        QTest::addColumn<double>("dragged");
        QTest::addColumn<QString>("id");
        QTest::addColumn<double>("value"); // of the parameter
        QTest::addColumn<double>("markAt");
        QTest::addColumn<int>("device"); // millimetres written
        const double inch = 1 / 25.4;
        QTest::newRow("upper of output 2") << true << 0 << 2 << 1u << 1234.4 << "UpperThresholdA2" << 234.0 << 1234.0 << 234;
        QTest::newRow("lower of output 1, half up") << true << 0 << 1 << 0u << 799.5 << "LowerThresholdA1" << 200.0
                                                    << 800.0 << 200;
        QTest::newRow("middle below minimum") << true << 0 << 1 << 2u << 10.0 << "SwitchingThresholdA1" << 50.0 << 50.0
                                              << 50;
        QTest::newRow("middle above maximum") << true << 0 << 2 << 2u << 250000.0 << "SwitchingThresholdA2" << 100000.0
                                              << 100000.0 << 100000;
        QTest::newRow("inch, below minimum") << true << 1 << 1 << 2u << 0.2 << "SwitchingThresholdA1" << 50 * inch
                                             << 50 * inch << 50;
        QTest::newRow("inch, above maximum") << true << 1 << 1 << 2u << 5000.0 << "SwitchingThresholdA1"
                                             << 100000 * inch - 1 << 100000 * inch - 1 << 99975;
        QTest::newRow("disconnected: tree only") << false << 0 << 1 << 2u << 1500.0 << "SwitchingThresholdA1" << 1500.0
                                                 << 1500.0 << -1;
    }

    void switchingMarkerDrag()
    {
        QFETCH(bool, connected);
        QFETCH(int, unit);
        QFETCH(int, output);
        QFETCH(uint, mark);
        QFETCH(double, dragged);
        QFETCH(QString, id);
        QFETCH(double, value);
        QFETCH(double, markAt);
        QFETCH(int, device);
        Rig rig(connected);
        auto &d = rig.w.p();
        d.measurementUnit = unit;
        d.outputSelector->setCurrentIndex(output - 1);
        rig.set(QStringLiteral("SwitchingThresholdA%1").arg(output), 1000);
        if (unit == 1)
            rig.w.convertUnitValues();
        Utils::ThresholdWindowWidgetGeneric *marker = d.thresholdMarkers.first();
        emit marker->emitValueChanged(mark, dragged);

        QVERIFY(std::abs(rig.value(id) - value) < 1e-9);
        const double at = mark == 0 ? marker->lowerMark() : mark == 1 ? marker->upperMark() : marker->middleMark();
        QVERIFY(std::abs(at - markAt) < 1e-9);
        if (device < 0)
            QVERIFY(rig.channel.records().empty());
        else
            QVERIFY2(rig.sent(rig.writeOf(id, device)), qPrintable(id));
    }

    void rangeMarkerDrag_data()
    {
        QTest::addColumn<uint>("mark");
        QTest::addColumn<double>("dragged");
        QTest::addColumn<QString>("id");
        QTest::addColumn<double>("value");
        QTest::newRow("far beyond the axis") << 5u << 250000.0 << "DetectionRangeFar" << 10001.0;
        QTest::newRow("near below minimum") << 4u << 3.0 << "DetectionRangeNear" << 50.0;
        QTest::newRow("near") << 4u << 640.6 << "DetectionRangeNear" << 641.0;
    }

    void rangeMarkerDrag()
    {
        QFETCH(uint, mark);
        QFETCH(double, dragged);
        QFETCH(QString, id);
        QFETCH(double, value);
        Rig rig(true);
        auto &d = rig.w.p();
        QCOMPARE(d.chart->xMaximum(1), 10001.0);
        emit d.rangeMarkers[1]->emitValueChanged(mark, dragged);
        QCOMPARE(rig.value(id), value);
        QCOMPARE(mark == 4 ? d.rangeMarkers[1]->leftMark(0) : d.rangeMarkers[1]->rightMark(0), value);
        QVERIFY(rig.sent(rig.writeOf(id, std::int64_t(value))));
    }

    void unitsConvertThereAndBack()
    {
        Rig rig(false);
        auto &d = rig.w.p();
        rig.set(QStringLiteral("SwitchingThresholdA1"), 1000);
        rig.set(QStringLiteral("HysteresisA1"), 20);
        d.chart->vAppendData(3, 1000.0);
        const auto history = [&] { return d.chart->dataToString(3).section(';', -1).toDouble(); };
        d.measurementUnit = 0;
        rig.w.convertUnitValues();
        rig.w.convertUnitValues();
        QCOMPARE(rig.value(QStringLiteral("SwitchingThresholdA1")), 1000.0);
        QCOMPARE(history(), 1000.0);
        QCOMPARE(rig.value(QStringLiteral("HysteresisA1")), 20.0);

        d.measurementUnit = 1;
        rig.w.convertUnitValues();
        QCOMPARE(rig.value(QStringLiteral("SwitchingThresholdA1")), 39.37007874015748);
        QCOMPARE(d.distanceUnitText, QStringLiteral(" inch"));
        QCOMPARE(d.chart->scaleMaximum(3), 3937.0);
        QCOMPARE(history(), 39.37007874015748);
        QCOMPARE(d.doubleManager->maximum(rig.w.findProperty(QStringLiteral("SSC1JumpHeightMax"))), 3.937);
        QCOMPARE(d.thresholdMarkers.first()->middleMark(), 39.37007874015748);
        rig.w.applyUnitLimits(); // limits only: values stay
        QCOMPARE(rig.value(QStringLiteral("SwitchingThresholdA1")), 39.37007874015748);

        rig.set(QStringLiteral("SwitchingThresholdA1"), 12.7);
        d.measurementUnit = 0;
        rig.w.convertUnitValues();
        QCOMPARE(rig.value(QStringLiteral("SwitchingThresholdA1")), 323.0);
        QVERIFY(qFuzzyCompare(history(), 1000.0));
        QCOMPARE(rig.value(QStringLiteral("HysteresisA1")), 20.0);
        QCOMPARE(d.distanceUnitText, QStringLiteral(" mm"));
        QCOMPARE(d.doubleManager->maximum(rig.w.findProperty(QStringLiteral("SSC1JumpHeightMax"))), 100000.0);
    }

    void clearHistoryAsks_data()
    {
        QTest::addColumn<int>("answer");
        QTest::newRow("yes") << int(QMessageBox::Yes);
        QTest::newRow("no") << int(QMessageBox::No);
    }

    void clearHistoryAsks()
    {
        QFETCH(int, answer);
        Rig rig(true);
        auto &d = rig.w.p();
        rig.w.ui->chartToolbar->setEnabled(true);
        for (int i = 0; i < 5; ++i)
            d.chart->vAppendData(3, 1000.0 + i, false, -65000.0, false, i);
        DialogLayer::enqueueAnswer(answer);
        rig.w.vClearHistory();
        const auto shown = DialogLayer::takeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown.first().title, QStringLiteral("Clear chart history"));
        const bool yes = answer == QMessageBox::Yes;
        QCOMPARE(d.chart->getData(3)->size(), yes ? 0 : 5);
        QCOMPARE(rig.w.ui->chartToolbar->isEnabled(), !yes);
    }

    void printsOnePagePdf()
    {
        Rig rig(false);
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("chart.pdf"));
        for (int i = 0; i < 50; ++i)
            rig.w.p().chart->vAppendData(3, 1000.0 + 10 * i, false, -65000.0, false, i);
        DialogLayer::setAnswerer([&](const DialogLayer::Shown &) {
            auto *dialog = rig.w.findChild<QFileDialog *>(QStringLiteral("printToPdfDialog"));
            if (!dialog)
                return int(QDialog::Rejected);
            dialog->selectFile(pdf);
            return int(QDialog::Accepted);
        });
        rig.w.vPrintDocument();
        QFile file(pdf);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray content = file.readAll();
        QVERIFY(content.startsWith("%PDF"));
        QCOMPARE(content.count("/Type /Page\n") + content.count("/Type /Page\r") + content.count("/Type /Page "), 1);
    }

    void exportsCsv_data()
    {
        QTest::addColumn<int>("unit");
        QTest::addColumn<QString>("header");
        QTest::newRow("distance") << 0 << "Time,Signal";
        QTest::newRow("distance and speed") << 2 << "Time,Signal,Speed";
        QTest::newRow("distance, speed, intensity") << 3 << "Time,Signal,Speed,Intensity";
    }

    void exportsCsv()
    {
        QFETCH(int, unit);
        Rig rig(false);
        auto &d = rig.w.p();
        d.measurementUnit = unit;
        for (int i = 0; i < 3; ++i) {
            d.chart->vAppendData(3, 1000.25 + i, false, -65000.0, false, i);
            d.chart->vAppendData(0, -50.0 * i, false, -65000.0, false, i);
            d.chart->vAppendData(2, 100.0 + i, false, -65000.0, false, i);
        }
        QTemporaryDir dir;
        const QString csv = dir.filePath(QStringLiteral("chart.csv"));
        DialogLayer::setAnswerer([&](const DialogLayer::Shown &) {
            auto *dialog = rig.w.findChild<Utils::ExportDialog *>();
            if (!dialog)
                return int(QDialog::Rejected);
            dialog->setFileName(csv);
            dialog->accept();
            return dialog->result();
        });
        rig.w.vExportChartData();
        QFile file(csv);
        QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Text));
        const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 4);
        QTEST(lines[0], "header");
        const QStringList last = lines[3].split(QLatin1Char(','));
        QCOMPARE(last.value(0), QStringLiteral("2.00"));
        QCOMPARE(last.value(1), QStringLiteral("1002.25"));
        if (unit >= 2)
            QCOMPARE(last.value(2), QStringLiteral("-100.00"));
        if (unit == 3)
            QCOMPARE(last.value(3), QStringLiteral("102.00"));
    }
};

QTEST_MAIN(ChartsTest)
#include "tst_charts.moc"
