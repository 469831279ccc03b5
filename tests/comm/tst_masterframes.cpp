#include "comm/masterframes.h"

#include <QtTest>

using namespace DirazSensorPlugin::Core;

namespace {

std::string hex(const char *text)
{
    return frameString(QByteArray::fromHex(text));
}

QByteArray toHex(const std::string &frame)
{
    return frameBytes(frame).toHex(' ');
}

std::vector<std::string> sampleFrames()
{
    return {linkProbeFrame(), identifyStep2Frame(), identifyStep4Frame(), cycleFrame(),
            fetchResultFrame(), textWritePrefixFrame(), outputConfirmFrame(),
            productNameReadFrame(), objectInfoReadFrame(),
            systemCommandFrame(SystemCommand::BackToBox), buildOutputCommand(0xA5),
            buildWrite(0x40, 0, 0x1234, 2), buildWrite(0xBEEF, 7, 0xDEADBEEF, 4),
            buildTextWrite(0x18, 0, "Location 1")};
}

} // namespace

class TestMasterFrames : public QObject
{
    Q_OBJECT
private slots:
    // The check octet is carried by every golden frame below.
    void readRequest_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("subIndex");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("product name") << 0x0012 << 0 << QByteArray("05 57 26 12 00 00");
        QTest::newRow("object info") << 0x1211 << 0 << QByteArray("05 52 26 11 12 00");
        // Index travels low octet first: a swapped index changes the frame.
        QTest::newRow("index order") << 0x1112 << 0 << QByteArray("05 52 26 12 11 00");
    }

    void readRequest()
    {
        QFETCH(int, index);
        QFETCH(int, subIndex);
        QTEST(toHex(buildReadRequest(std::uint16_t(index), std::uint8_t(subIndex))), "expected");
    }

    void writeSizes_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("subIndex");
        QTest::addColumn<uint>("value");
        QTest::addColumn<int>("octets");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("two octets") << 0x0040 << 0 << 0x1234u << 2 << QByteArray("07 4c 24 40 00 00 12 34");
        QTest::newRow("system command") << 0x0002 << 0 << 0x80u << 1 << QByteArray("06 4a 24 02 00 00 80");
        QTest::newRow("output confirm") << 0x0000 << 1 << 0x98u << 1 << QByteArray("06 4c 24 00 00 01 98");
        QTest::newRow("one octet keeps only low") << 0x0040 << 0 << 0x1234u << 1 << QByteArray("06 79 24 40 00 00 34");
        // 0x12^0x24^0x40^0x12^0x34^0x56^0x78 = 0x7E -> checksum 0x39
        QTest::newRow("four octets") << 0x0040 << 0 << 0x12345678u << 4
                                     << QByteArray("09 79 24 40 00 00 12 34 56 78");
        QTest::newRow("odd octet count falls back to one") << 0x0002 << 0 << 0x81u << 3
                                                           << QByteArray("06 5b 24 02 00 00 81");
    }

    void writeSizes()
    {
        QFETCH(int, index);
        QFETCH(int, subIndex);
        QFETCH(uint, value);
        QFETCH(int, octets);
        const std::string frame = buildWrite(std::uint16_t(index), std::uint8_t(subIndex), value, octets);
        QTEST(toHex(frame), "expected");
        QCOMPARE(validateFrame(frame), FrameCheck::Valid);
    }

    void parameterWriteBySize_data()
    {
        QTest::addColumn<qlonglong>("value");
        QTest::addColumn<int>("size");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("size 6") << 0x1FFLL << 6 << QByteArray("06 5b 24 40 00 00 ff");
        QTest::newRow("size 7") << 0x1234LL << 7 << QByteArray("07 4c 24 40 00 00 12 34");
        QTest::newRow("size 9") << 30000LL << 9 << QByteArray("09 40 24 40 00 00 00 00 75 30");
        QTest::newRow("size 9 negative") << -1LL << 9 << QByteArray("09 5b 24 40 00 00 ff ff ff ff");
    }

    void parameterWriteBySize()
    {
        QFETCH(qlonglong, value);
        QFETCH(int, size);
        QTEST(toHex(buildParameterWrite(0x40, 0, value, size)), "expected");
    }

    void textWrite_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QByteArray>("payload");
        QTest::newRow("short") << QByteArray("Tag") << QByteArray("Tag") + QByteArray(29, '\0');
        QTest::newRow("empty") << QByteArray() << QByteArray(32, '\0');
        QTest::newRow("exactly 32") << QByteArray(32, 'x') << QByteArray(32, 'x');
        QTest::newRow("too long is cut") << QByteArray(40, 'y') << QByteArray(32, 'y');
    }

    void textWrite()
    {
        QFETCH(QByteArray, text);
        const QByteArray frame = frameBytes(buildTextWrite(0x0018, 0, text));
        QCOMPARE(frame.size(), 38);
        QCOMPARE(quint8(frame[0]), quint8(0x25));
        QCOMPARE(frame.mid(2, 4).toHex(' '), QByteArray("24 18 00 00"));
        QTEST(frame.mid(6), "payload");
        QCOMPARE(validateFrame(frameString(frame)), FrameCheck::Valid);
    }

    void validatorAcceptsOwnFrames()
    {
        for (const std::string &f : sampleFrames())
            QVERIFY2(validateFrame(f) == FrameCheck::Valid, toHex(f).constData());
    }

    void validatorRejectsEverySingleBitFlip()
    {
        for (const std::string &f : sampleFrames()) {
            for (std::size_t i = 0; i < f.size(); ++i) {
                for (int b = 0; b < 8; ++b) {
                    std::string damaged = f;
                    damaged[i] = char(damaged[i] ^ (1 << b));
                    QVERIFY2(validateFrame(damaged) != FrameCheck::Valid,
                             qPrintable(QString("%1 octet %2 bit %3").arg(toHex(f).constData()).arg(i).arg(b)));
                }
            }
        }
    }

    void validatorReasons_data()
    {
        QTest::addColumn<QByteArray>("frame");
        QTest::addColumn<int>("reason");
        QTest::newRow("empty") << QByteArray() << int(FrameCheck::TooShort);
        QTest::newRow("two octets") << QByteArray::fromHex("0270") << int(FrameCheck::TooShort);
        QTest::newRow("count too big") << QByteArray::fromHex("037022") << int(FrameCheck::CountMismatch);
        QTest::newRow("trailing octet") << QByteArray::fromHex("02702200") << int(FrameCheck::CountMismatch);
        QTest::newRow("type bits") << QByteArray::fromHex("023022") << int(FrameCheck::BadCheckOctet);
        QTest::newRow("checksum") << QByteArray::fromHex("027122") << int(FrameCheck::BadCheckOctet);
        QTest::newRow("unknown code") << frameBytes(buildFrame(0x30)) << int(FrameCheck::UnknownCode);
        QTest::newRow("cycle with parameter") << frameBytes(buildFrame(0x22, hex("00")))
                                              << int(FrameCheck::BadParameterLength);
        QTest::newRow("read short") << frameBytes(buildFrame(0x26, hex("1200")))
                                    << int(FrameCheck::BadParameterLength);
        QTest::newRow("write of 3 octets") << frameBytes(buildFrame(0x24, hex("400000123456")))
                                           << int(FrameCheck::BadParameterLength);
        QTest::newRow("unusual size keeps count") << frameBytes(buildParameterWrite(0x40, 0, 1, 8))
                                                  << int(FrameCheck::CountMismatch);
    }

    void validatorReasons()
    {
        QFETCH(QByteArray, frame);
        QTEST(int(validateFrame(frameString(frame))), "reason");
    }

    void parseWrite()
    {
        ParsedFrame p;
        QVERIFY(parseFrame(buildWrite(0x1211, 3, 0xCAFE, 2), &p));
        QCOMPARE(int(p.code), 0x24);
        QCOMPARE(int(p.index), 0x1211);
        QCOMPARE(int(p.subIndex), 3);
        QCOMPARE(frameBytes(p.value).toHex(), QByteArray("cafe"));
        QVERIFY(parseFrame(objectInfoReadFrame(), &p));
        QCOMPARE(int(p.code), 0x26);
        QCOMPARE(int(p.index), 0x1211);
        QVERIFY(p.value.empty());
        QVERIFY(!parseFrame(hex("027122"), &p));
    }

    void textAnswer_data()
    {
        QTest::addColumn<QByteArray>("answer");
        QTest::addColumn<QString>("text");
        QTest::newRow("zeros inside") << QByteArray::fromHex("065a2741004243") << "ABC";
        QTest::newRow("header only") << QByteArray::fromHex("035a2700") << "";
        QTest::newRow("empty") << QByteArray() << "";
        QTest::newRow("zeros removed before dropping") << QByteArray::fromHex("05112241000042") << "AB";
        QTest::newRow("zero count octet") << QByteArray::fromHex("00115a27343031") << "401";
        QTest::newRow("nine characters") << QByteArray::fromHex("0c5a27") + "UMB400AB1" << "UMB400AB1";
    }

    void textAnswer()
    {
        QFETCH(QByteArray, answer);
        QTEST(productNameFromAnswer(answer), "text");
    }
};

QTEST_GUILESS_MAIN(TestMasterFrames)
#include "tst_masterframes.moc"
