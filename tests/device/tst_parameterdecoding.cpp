#include "device/flagwords.h"
#include "device/parameterdecoding.h"

#include <QtTest>

using namespace DirazSensorPlugin::Core;

namespace {
QByteArray octets(const char *hex)
{
    return QByteArray::fromHex(hex);
}
} // namespace

class TestParameterDecoding : public QObject
{
    Q_OBJECT
private slots:
    void count_data()
    {
        QTest::addColumn<QByteArray>("answer");
        QTest::addColumn<int>("count");
        QTest::addColumn<bool>("carriesData");
        QTest::newRow("07") << octets("07112212") << 7 << true;
        QTest::newRow("04") << octets("0411221234") << 4 << false;
        QTest::newRow("05") << octets("05") << 5 << true;
        // The count octet is read as a decimal number.
        QTest::newRow("10 is ten") << octets("10") << 10 << true;
        QTest::newRow("0a has a letter") << octets("0a1122") << 0 << false;
        QTest::newRow("empty") << QByteArray() << 0 << false;
    }

    void count()
    {
        QFETCH(QByteArray, answer);
        QTEST(answerCount(answer), "count");
        QTEST(answerCarriesData(answer), "carriesData");
    }

    void numeric_data()
    {
        QTest::addColumn<QByteArray>("answer");
        QTest::addColumn<int>("size");
        QTest::addColumn<int>("intValue");
        QTest::addColumn<int>("doubleValue");
        QTest::addColumn<int>("rangeValue");

        QTest::newRow("two octets") << octets("0711221234") << 7 << 0x1234 << 0x1234 << 0x221234;
        QTest::newRow("three octet answer takes last") << octets("071122") << 7 << 0x22 << 0x22 << 0x071122;
        QTest::newRow("no data takes last") << octets("0411221234") << 7 << 0x34 << 0x34 << 0x221234;
        QTest::newRow("size 9: four octets for doubles only")
            << octets("091122000186a0") << 9 << 0x86a0 << 100000 << 100000;
        QTest::newRow("size 8: four octets for ints only")
            << octets("09112200010000") << 8 << 65536 << 0 << 0x010000;
        QTest::newRow("value ffff") << octets("071122ffff") << 7 << 65535 << SkippedDoubleValue << 0x22ffff;
        QTest::newRow("top bit set does not parse") << octets("09112280000001") << 9 << 1 << 0 << 1;
        QTest::newRow("one octet") << octets("06112200ab") << 6 << 0xab << 0xab << 0x2200ab;
        QTest::newRow("empty") << QByteArray() << 7 << 0 << 0 << 0;
    }

    void numeric()
    {
        QFETCH(QByteArray, answer);
        QFETCH(int, size);
        QTEST(intAnswerValue(answer, size), "intValue");
        QTEST(doubleAnswerValue(answer, size), "doubleValue");
        QTEST(rangeAnswerValue(answer), "rangeValue");
    }

    void enumRaw_data()
    {
        QTest::addColumn<QByteArray>("answer");
        QTest::addColumn<int>("raw");
        QTest::newRow("two octets") << octets("0711220105") << 0x0105;
        QTest::newRow("no data") << octets("0311220105") << 5;
        QTest::newRow("short answer") << octets("071105") << 5;
        QTest::newRow("empty") << QByteArray() << 0;
    }

    void enumRaw()
    {
        QFETCH(QByteArray, answer);
        QTEST(enumRawValue(answer), "raw");
    }

    void enumIndex_data()
    {
        QTest::addColumn<QString>("id");
        QTest::addColumn<QString>("variant");
        QTest::addColumn<int>("raw");
        QTest::addColumn<int>("index");
        QTest::newRow("jump direction") << "SSC1JumpDirection" << "" << 1 << 0;
        QTest::newRow("jump direction 2") << "SSC2JumpDirection" << "" << 2 << 1;
        QTest::newRow("pin function 4") << "PinFunctionA3" << "" << 4 << 1;
        QTest::newRow("pin function 3") << "PinFunctionA3" << "" << 3 << 0;
        QTest::newRow("pin function unlisted") << "PinFunctionA3" << "" << 1 << 1;
        QTest::newRow("teach mode 5") << "TeachInMode2" << "" << 5 << 3;
        QTest::newRow("teach mode 4") << "TeachInMode1" << "" << 4 << 4;
        QTest::newRow("language") << "LanguageDevice" << "" << 5 << 2;
        QTest::newRow("warning low kept") << "ErrorWarning1" << "4M1" << 7 << 7;
        QTest::newRow("warning 8") << "ErrorWarning1" << "4M1" << 8 << 7;
        QTest::newRow("warning 20") << "ErrorWarning3" << "4M1" << 20 << 11;
        QTest::newRow("warning 28 plain") << "ErrorWarning2" << "4M1" << 28 << 13;
        QTest::newRow("warning 28 4M6") << "ErrorWarning2" << "4M6" << 28 << 14;
        QTest::newRow("warning 21 plain unmapped") << "ErrorWarning4" << "4M1" << 21 << 21;
        QTest::newRow("warning 21 4M3") << "ErrorWarning4" << "4M3" << 21 << 12;
        QTest::newRow("warning 31 4M3") << "ErrorWarning4" << "4M3" << 31 << 16;
        QTest::newRow("simulation distance") << "SimulationDistanceValue" << "" << 0 << 1;
        QTest::newRow("teach lock 4") << "TeachLoked" << "" << 4 << 1;
        QTest::newRow("teach lock 3") << "TeachLoked" << "" << 3 << 0;
        QTest::newRow("other id") << "MesurementUnit" << "" << 3 << 3;
    }

    void enumIndex()
    {
        QFETCH(QString, id);
        QFETCH(QString, variant);
        QFETCH(int, raw);
        QTEST(enumIndexFromRaw(id, raw, variant), "index");
    }

    void enumRoundTrip_data()
    {
        QTest::addColumn<QString>("id");
        QTest::addColumn<QString>("variant");
        QTest::addColumn<int>("entries");
        QTest::newRow("jump direction") << "SSC1JumpDirection" << "" << 3;
        QTest::newRow("pin function") << "PinFunctionA3" << "" << 3;
        QTest::newRow("teach mode") << "TeachInMode1" << "" << 5;
        QTest::newRow("language") << "LanguageDevice" << "" << 3;
        QTest::newRow("warning plain") << "ErrorWarning1" << "4M1" << 16;
        QTest::newRow("warning wide") << "ErrorWarning4" << "4M6" << 17;
        QTest::newRow("simulation distance") << "SimulationDistanceValue" << "" << 2;
        QTest::newRow("teach lock") << "TeachLoked" << "" << 2;
        QTest::newRow("unit") << "MesurementUnit" << "" << 4;
    }

    // Every entry the device is given must come back as the same entry.
    void enumRoundTrip()
    {
        QFETCH(QString, id);
        QFETCH(QString, variant);
        QFETCH(int, entries);
        for (int i = 0; i < entries; ++i)
            QCOMPARE(enumIndexFromRaw(id, enumDeviceValue(id, i, variant, 0x0B), variant), i);
        QCOMPARE(enumDeviceValue("TeachLoked", 1, "", 0x0B), std::int64_t(0x0F));
        QCOMPARE(enumDeviceValue("TeachLoked", 0, "", 0xFF), std::int64_t(0x0B));
    }

    void text_data()
    {
        QTest::addColumn<QByteArray>("answer");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("errorCode");
        QTest::addColumn<bool>("errorCodeWithout1601");
        QTest::newRow("AB") << octets("051122410042") << "AB" << false << false;
        QTest::newRow("AB with two zeros") << octets("05112241000042") << "AB" << false << false;
        QTest::newRow("8020") << octets("0511228020") << QString::fromUtf8(octets("8020")) << true << true;
        QTest::newRow("1601") << octets("0511221601") << QString::fromUtf8(octets("1601")) << true << false;
        QTest::newRow("8011 with a zero") << octets("051122800011") << QString::fromUtf8(octets("8011")) << true
                                          << true;
        QTest::newRow("utf-8") << octets("061122c3a4") << QString::fromUtf8("\xc3\xa4") << false << false;
    }

    void text()
    {
        QFETCH(QByteArray, answer);
        QTEST(textParameterValue(answer), "text");
        QTEST(isDeviceErrorCode(textOctetsHex(answer)), "errorCode");
        QTEST(isDeviceErrorCode(textOctetsHex(answer), false), "errorCodeWithout1601");
    }

    void statusWordFromAnswer()
    {
        const QByteArray answer = octets("09112220000001");
        const auto word = std::uint32_t(lastEightDigitsValue(answer));
        QCOMPARE(word, 0x20000001u);
        const auto flags = flagValues(FlagWord::StatusWord, word);
        QCOMPARE(flags.size(), 16);
        for (const auto &f : flags) {
            const bool expected = f.first == "BOOLShortCircuit" || f.first == "SignalWarning";
            QVERIFY2(f.second == expected, qPrintable(f.first));
        }
        // Bit 31 keeps the whole word from parsing.
        QCOMPARE(lastEightDigitsValue(octets("09112280000001")), 0);
    }

    void flagWordRoundTrip_data()
    {
        QTest::addColumn<int>("word");
        QTest::addColumn<uint>("value");
        QTest::newRow("status too far") << int(FlagWord::StatusWord) << 0x20u;
        QTest::newRow("status mixed") << int(FlagWord::StatusWord) << 0x3046017Fu;
        QTest::newRow("error all") << int(FlagWord::ErrorMaskWord) << 0x307E017Fu;
        QTest::newRow("error none") << int(FlagWord::ErrorMaskWord) << 0u;
    }

    void flagWordRoundTrip()
    {
        QFETCH(int, word);
        QFETCH(uint, value);
        const auto w = FlagWord(word);
        QHash<QString, bool> shown;
        for (const auto &f : flagValues(w, value))
            shown.insert(f.first, f.second);
        QCOMPARE(shown.size(), 16);
        const std::uint32_t back = composeFlagWord(w, [&](const QString &id) { return shown.value(id); });
        QCOMPARE(back, std::uint32_t(value));
        // Ids of the other word never count.
        const std::uint32_t other = composeFlagWord(w == FlagWord::StatusWord ? FlagWord::ErrorMaskWord
                                                                              : FlagWord::StatusWord,
                                                    [&](const QString &id) { return shown.value(id); });
        QCOMPARE(other, 0u);
    }

    void flagWordOfIds_data()
    {
        QTest::addColumn<QString>("id");
        QTest::addColumn<int>("word"); // -1: not a flag
        QTest::addColumn<int>("bit");
        QTest::newRow("status parent") << "SignalWarning" << int(FlagWord::StatusWord) << 0;
        QTest::newRow("error parent") << "ErrSignalWarning" << int(FlagWord::ErrorMaskWord) << 0;
        QTest::newRow("status flag") << "BOOLTooFar" << int(FlagWord::StatusWord) << 5;
        QTest::newRow("error flag") << "BOOLErrUndervoltage" << int(FlagWord::ErrorMaskWord) << 28;
        QTest::newRow("light off") << "BOOLLightOff" << int(FlagWord::StatusWord) << 8;
        QTest::newRow("other") << "ObjectInfo" << -1 << -1;
    }

    void flagWordOfIds()
    {
        QFETCH(QString, id);
        QFETCH(int, word);
        QFETCH(int, bit);
        FlagWord w = FlagWord::StatusWord;
        QCOMPARE(flagWordOf(id, &w), word >= 0);
        if (word >= 0) {
            QCOMPARE(int(w), word);
            QCOMPARE(flagId(w, bit), id);
        }
        QCOMPARE(flagBit(id), bit);
    }
};

QTEST_GUILESS_MAIN(TestParameterDecoding)
#include "tst_parameterdecoding.moc"
