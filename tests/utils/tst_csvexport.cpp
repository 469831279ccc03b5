#include <utils/csvexport.h>
#include <utils/exportdialog.h>
#include <utils/valueovertime.h>

#include <QtTest>

using Utils::Charts::ValueOverTime;

namespace {

ValueOverTime series(const QVector<QPointF> &points)
{
    ValueOverTime s(100);
    for (const QPointF &p : points)
        s.append(p.x(), p.y());
    return s;
}

} // namespace

class TestCsvExport : public QObject
{
    Q_OBJECT
private slots:
    void text_data()
    {
        QTest::addColumn<QStringList>("titles");
        QTest::addColumn<int>("seriesCount");
        QTest::addColumn<int>("precision");
        QTest::addColumn<QChar>("separator");
        QTest::addColumn<QString>("expected");

        // Series 1: distance at t = 0.4, 1.3, 2.0; series 2: speed at t = 1.0, 2.0;
        // series 3: intensity at t = 5.0 only.
        QTest::newRow("time and one series, two decimals")
            << QStringList{"Time", "Signal"} << 1 << 2 << QChar(',')
            << "Time,Signal\n0.40,1000.00\n1.30,1001.50\n2.00,999.13\n";
        QTest::newRow("no decimals rounds")
            << QStringList{"Time", "Signal"} << 1 << 0 << QChar(',')
            << "Time,Signal\n0,1000\n1,1002\n2,999\n";
        QTest::newRow("later series hold their last value")
            << QStringList{"Time", "Signal", "Speed"} << 2 << 1 << QChar(';')
            << "Time;Signal;Speed\n0.4;1000.0;\n1.3;1001.5;-20.0\n2.0;999.1;15.0\n";
        QTest::newRow("series without samples yet stay empty")
            << QStringList{"Time", "Signal", "Speed", "Intensity"} << 3 << 0 << QChar(',')
            << "Time,Signal,Speed,Intensity\n0,1000,,\n1,1002,-20,\n2,999,15,\n";
        QTest::newRow("without time column")
            << QStringList{"Signal"} << 1 << 1 << QChar(',')
            << "Signal\n1000.0\n1001.5\n999.1\n";
        QTest::newRow("title with separator is quoted")
            << QStringList{"Time", "Signal, mm"} << 1 << 0 << QChar(',')
            << "Time,\"Signal, mm\"\n0,1000\n1,1002\n2,999\n";
    }

    void text()
    {
        QFETCH(QStringList, titles);
        QFETCH(int, seriesCount);
        QFETCH(int, precision);
        QFETCH(QChar, separator);
        QFETCH(QString, expected);

        const ValueOverTime distance = series({{0.4, 1000.0}, {1.3, 1001.5}, {2.0, 999.125}});
        const ValueOverTime speed = series({{1.0, -20.0}, {2.0, 15.0}});
        const ValueOverTime intensity = series({{5.0, 200.0}});
        const QList<const ValueOverTime *> all{&distance, &speed, &intensity};
        QCOMPARE(Utils::seriesToCsv(all.mid(0, seriesCount), titles, precision, separator),
                 expected);
    }

    void writesToDevice()
    {
        const ValueOverTime distance = series({{0.0, 1.0}});
        QBuffer buffer;
        QVERIFY(!Utils::writeSeriesCsv(&buffer, {&distance}, {"Time", "Signal"}, 1));
        QVERIFY(buffer.open(QIODevice::WriteOnly));
        QVERIFY(Utils::writeSeriesCsv(&buffer, {&distance}, {"Time", "Signal"}, 1));
        QCOMPARE(buffer.data(), QByteArray("Time,Signal\n0.0,1.0\n"));
    }

    // What the dialog's file name leads to: "" the person cancelled the choice,
    // a path below a missing folder cannot be written.
    void dialog_data()
    {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("chosen file") << "chart.csv" << true;
        QTest::newRow("choice cancelled") << "" << false;
        QTest::newRow("file cannot be written") << "missing/folder/chart.csv" << false;
    }

    void dialog()
    {
        QFETCH(QString, chosen);
        QFETCH(bool, accepted);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString path = chosen.isEmpty() ? QString() : dir.filePath(chosen);
        ValueOverTime distance = series({{0.25, 1234.5678}});
        QList<const ValueOverTime *> data{&distance};
        QList<QString> titles{"Time", "Signal"};
        Utils::ExportDialog dialog(&data, &titles, nullptr, Qt::WindowTitleHint);
        dialog.setPrecision(3);
        int asked = 0;
        dialog.setFileNameProvider([&](QWidget *, const QString &) {
            ++asked;
            return path;
        });
        dialog.accept();
        QCOMPARE(asked, 1);
        QCOMPARE(dialog.result(), int(accepted ? QDialog::Accepted : QDialog::Rejected));
        QCOMPARE(dialog.errorText().isEmpty(), accepted || path.isEmpty());
        QFile file(path);
        QCOMPARE(file.open(QIODevice::ReadOnly), accepted);
        if (accepted)
            QCOMPARE(file.readAll(), QByteArray("Time,Signal\n0.250,1234.568\n"));
        else
            QVERIFY(QDir(dir.path()).entryList(QDir::Files).isEmpty());
    }
};

QTEST_MAIN(TestCsvExport)
#include "tst_csvexport.moc"
