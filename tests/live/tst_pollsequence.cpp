// The poll sequence: which frame each poll sends and which answers are shown.

#include "comm/masterframes.h"
#include "live/pollsequence.h"

#include <QtTest>

using namespace DirazSensorPlugin::Core;

namespace {

// One letter per poll: c cycle, r object read request, f fetch.
QString sequence(int counter, int objectInfoMode, int polls, int *counterAfter = nullptr)
{
    QString letters;
    for (int i = 0; i < polls; ++i) {
        const PollFrame frame = nextPollFrame(counter, objectInfoMode);
        letters += frame == PollFrame::Cycle ? 'c' : frame == PollFrame::ObjectInfoRead ? 'r' : 'f';
    }
    if (counterAfter)
        *counterAfter = counter;
    return letters;
}

} // namespace

class PollSequenceTest : public QObject
{
    Q_OBJECT

private slots:
    void framesFollowTheCounter_data()
    {
        QTest::addColumn<int>("counter");
        QTest::addColumn<int>("objectInfoMode");
        QTest::addColumn<int>("polls");
        QTest::addColumn<QString>("frames");
        QTest::addColumn<int>("counterAfter");

        // From a fresh window: the first poll restarts the sequence at 16.
        QTest::newRow("object information off, two sequences")
            << 0 << 0 << 34 << QString(34, QLatin1Char('c')) << 0;
        QTest::newRow("object information on, two sequences")
            << 0 << 1 << 34 << "cccccrcccfccccccc" "cccccrcccfccccccc" << 0;
        QTest::newRow("read at 12, fetch at 8") << 12 << 1 << 5 << "rcccf" << 7;
        QTest::newRow("a mode other than 1 reads nothing") << 12 << 2 << 5 << "ccccc" << 7;
        QTest::newRow("negative counter restarts") << -3 << 1 << 1 << "c" << 16;
        // Postponed reads count down through cycles until 12.
        QTest::newRow("postponed to 20") << 20 << 1 << 13 << "ccccccccrcccf" << 7;
        QTest::newRow("postponed to 90") << 90 << 1 << 79 << QString(78, QLatin1Char('c')) + "r" << 11;
        QTest::newRow("read is skipped once past 12") << 11 << 1 << 4 << "cccf" << 7;
    }

    void framesFollowTheCounter()
    {
        QFETCH(int, counter);
        QFETCH(int, objectInfoMode);
        QFETCH(int, polls);
        int after = 0;
        QTEST(sequence(counter, objectInfoMode, polls, &after), "frames");
        QTEST(after, "counterAfter");
    }

    void answersReachTheirDecoder_data()
    {
        QTest::addColumn<int>("octets");
        QTest::addColumn<int>("counter");
        QTest::addColumn<int>("objectInfoMode");
        QTest::addColumn<bool>("processData");
        QTest::addColumn<bool>("objectInfo");

        QTest::newRow("cycle") << 10 << 9 << 1 << true << false;
        QTest::newRow("cycle sent at 2 is not shown") << 10 << 1 << 0 << false << false;
        QTest::newRow("cycle sent at 1") << 10 << 0 << 0 << true << false;
        QTest::newRow("cycle restarting the sequence") << 10 << 16 << 0 << true << false;
        QTest::newRow("short answer") << 9 << 5 << 0 << false << false;
        QTest::newRow("acknowledgement of the read request") << 4 << 11 << 1 << false << false;
        QTest::newRow("object block after the fetch") << 40 << 7 << 1 << false << true;
        QTest::newRow("object block, information off") << 40 << 7 << 0 << false << false;
        QTest::newRow("fetch answer too short") << 20 << 7 << 1 << false << false;
        QTest::newRow("21 octets are enough") << 21 << 7 << 1 << false << true;
        QTest::newRow("block at another position") << 40 << 6 << 1 << false << false;
    }

    void answersReachTheirDecoder()
    {
        QFETCH(int, octets);
        QFETCH(int, counter);
        QFETCH(int, objectInfoMode);
        QTEST(answerShowsProcessData(octets, counter), "processData");
        QTEST(answerShowsObjectInfo(octets, counter, objectInfoMode), "objectInfo");
    }
};

QTEST_MAIN(PollSequenceTest)
#include "tst_pollsequence.moc"
