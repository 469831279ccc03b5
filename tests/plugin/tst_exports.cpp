// The plug-in library as the host sees it: seven exports found by name.

#include <QtTest>

namespace {
const QStringList kEntryPoints = {"vInitialisePlugin", "pcMorvaleNDorixPluginName", "pcPluginVersion", "pcDescription",
                                  "pcCommunicationType", "vSensorMap", "poGetInterfaceInstance"};
}

class TestExports : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        m_library.setFileName(qEnvironmentVariable("K4K_BIN") + "/IoLinkK4Kv7family.so");
        QVERIFY2(m_library.load(), qPrintable(m_library.errorString()));
        for (const QString &name : kEntryPoints)
            QVERIFY2(m_library.resolve(name.toLatin1().constData()), qPrintable(name));
    }

    void identityTexts_data()
    {
        QTest::addColumn<QByteArray>("symbol");
        QTest::addColumn<QByteArray>("text");
        QTest::newRow("name") << QByteArray("pcMorvaleNDorixPluginName") << QByteArray("IoLinkK4Kv7family");
        QTest::newRow("version") << QByteArray("pcPluginVersion") << QByteArray("1.0.0");
        QTest::newRow("description, two blanks after JR5")
            << QByteArray("pcDescription")
            << QByteArray("Plugin for handling MASTER IO_LINK-JR5  MORVALE ultra sonic sensors family");
        QTest::newRow("communication") << QByteArray("pcCommunicationType") << QByteArray("SERIAL");
    }

    void identityTexts()
    {
        QFETCH(QByteArray, symbol);
        QFETCH(QByteArray, text);
        auto fn = reinterpret_cast<const char *(*)()>(m_library.resolve(symbol.constData()));
        QVERIFY(fn);
        QCOMPARE(QByteArray(fn()), text);
        // Static text: the same pointer every time.
        QCOMPARE(fn(), fn());
    }

    // Every function or object the library defines for others to bind to; the
    // linker's own section marks carry no type and are no export.
    void dynamicSymbolTableHoldsOnlyTheEntryPoints()
    {
        QProcess readelf;
        readelf.start("readelf", {"--dyn-syms", "--wide", m_library.fileName()});
        QVERIFY2(readelf.waitForFinished(30000) && readelf.exitCode() == 0, qPrintable(readelf.errorString()));
        QStringList exported;
        for (const QString &line : QString::fromLatin1(readelf.readAllStandardOutput()).split('\n')) {
            // Num: Value Size Type Bind Vis Ndx Name
            const QStringList f = line.simplified().split(' ');
            if (f.size() < 8 || !f.at(0).endsWith(QLatin1Char(':')) || f.at(0) == "Num:")
                continue;
            if (f.at(6) == "UND" || f.at(3) == "NOTYPE" || f.at(4) == "LOCAL")
                continue;
            exported << f.at(7).section('@', 0, 0);
        }
        exported.sort();
        QStringList expected = kEntryPoints;
        expected.sort();
        QCOMPARE(exported, expected);
    }

private:
    QLibrary m_library;
};

QTEST_GUILESS_MAIN(TestExports)
#include "tst_exports.moc"
