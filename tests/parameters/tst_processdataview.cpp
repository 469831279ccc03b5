// The process-data view: rows by group and position, and the output check
// boxes, whose octet is checked on the wire of a simulated master.

#include "k4ktest.h"
#include "sensorwindowprobe.h"

#include "comm/masterframes.h"
#include "comm/pause.h"
#include "parameters/outputoctet.h"

#include <extensionsystem/globals.h>
#include <simulator/simulatedchannel.h>

#include <QTreeWidget>
#include <QtTest>


using namespace K4KTest;
using namespace DirazSensorPlugin::Core;

namespace {

QString entry(const QString &id, const QString &caption, const QString &extra = QString())
{
    return QStringLiteral("<e><id>%1</id><text><en>%2</en></text>%3</e>").arg(id, caption, extra);
}

// The family's layout: 3 measured values, 8 status bits, 5 outputs, then
// object rows; `position15` replaces the last output entry when given.
QString entries(const QString &position15 = QString(), int hiddenPosition = -1)
{
    QStringList list;
    const char *measured[3] = {"nDistance", "nSpeed", "nIntensity"};
    for (const char *id : measured)
        list << entry(id, QString(id).mid(1));
    for (int bit = 0; bit < 8; ++bit)
        list << entry(QStringLiteral("0Bit%1").arg(bit), QStringLiteral("Status %1").arg(bit));
    for (int out = 0; out < 5; ++out)
        list << entry(QStringLiteral("1Out%1").arg(out), QStringLiteral("Output %1").arg(out));
    if (!position15.isEmpty())
        list[15] = position15;
    for (int k = 0; k < 4; ++k) {
        list << entry(QStringLiteral("2Dist%1").arg(k + 1), QStringLiteral("Object distance %1").arg(k + 1));
        list << entry(QStringLiteral("2Sig%1").arg(k + 1), QStringLiteral("Object signal %1").arg(k + 1));
    }
    if (hiddenPosition >= 0)
        list[hiddenPosition].replace("</e>", "<visible>false</visible></e>");
    return list.join(QString());
}

} // namespace

class ProcessDataViewTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        ExtensionSystem::Globals::setLanguage("en");
        setPauseScale(0.0);
    }

    void outputOctetMapsRowsToBits_data()
    {
        QTest::addColumn<QList<bool>>("checked");
        QTest::addColumn<int>("octet");
        QTest::newRow("initial: only the first checked") << QList<bool>{true, false, false, false, false} << 0x00;
        QTest::newRow("nothing checked") << QList<bool>{false, false, false, false, false} << 0x01;
        QTest::newRow("second row is bit 1") << QList<bool>{true, true, false, false, false} << 0x02;
        QTest::newRow("third row is bit 3") << QList<bool>{true, false, true, false, false} << 0x08;
        QTest::newRow("fourth row is bit 4") << QList<bool>{true, false, false, true, false} << 0x10;
        QTest::newRow("fifth row is bit 7") << QList<bool>{true, false, false, false, true} << 0x80;
        QTest::newRow("all checked") << QList<bool>{true, true, true, true, true} << 0x9a;
        QTest::newRow("all but the first") << QList<bool>{false, true, true, true, true} << 0x9b;
    }

    void outputOctetMapsRowsToBits()
    {
        QFETCH(QList<bool>, checked);
        OutputRowStates states{};
        for (int i = 0; i < kOutputRowCount; ++i)
            states[i] = checked.at(i);
        QTEST(int(outputOctet(states)), "octet");
    }

    void rowsFollowTheirGroupsAndPositions()
    {
        DescriptionFile file(document(QString(), entries()));
        SensorWindowProbe w(nullptr, file.path());
        auto &d = w.p();
        QCOMPARE(d.stateRows.size(), 24);
        for (int i = 0; i < 3; ++i)
            QCOMPARE(d.stateRows[i]->parent(), d.measurementValueItem);
        for (int i = 3; i <= 10; ++i) {
            QCOMPARE(d.stateRows[i]->parent(), d.deviceToMasterItem);
            QCOMPARE(d.stateRows[i]->text(3), QStringLiteral("Off"));
            QVERIFY(!d.stateRows[i]->icon(2).isNull());
        }
        for (int i = 11; i <= 15; ++i) {
            QCOMPARE(d.stateRows[i]->parent(), d.masterToDeviceItem);
            QCOMPARE(d.stateRows[i]->checkState(2), i == 11 ? Qt::Checked : Qt::Unchecked);
            QCOMPARE(d.stateRows[i]->text(3), i == 11 ? QStringLiteral("On") : QStringLiteral("Off"));
        }
        for (int k = 0; k < 4; ++k) {
            QCOMPARE(d.stateRows[16 + 2 * k]->parent(), d.objectItems[k]);
            QCOMPARE(d.stateRows[17 + 2 * k]->parent(), d.objectItems[k]);
        }
        QCOMPARE(d.objectInformationItem->treeWidget(), d.observationTree);
        QCOMPARE(d.stateRows[12]->statusTip(0), QStringLiteral("1Out1"));
        QCOMPARE(d.processDataIndex.value("2Sig4"), 23);
        QCOMPARE(d.processDataCaptions.size(), 24);
    }

    void hiddenEntryKeepsItsPosition()
    {
        DescriptionFile file(document(QString(), entries(QString(), 6)));
        SensorWindowProbe w(nullptr, file.path());
        auto &d = w.p();
        QCOMPARE(d.stateRows.size(), 24);
        QVERIFY(d.stateRows[6]->isHidden());
        QVERIFY(!d.stateRows[7]->isHidden());
        QCOMPARE(d.stateRows[7]->text(0), QStringLiteral("Status 4"));
    }

    void outputClicksSendTheOctet_data()
    {
        QTest::addColumn<QList<int>>("clicks");
        QTest::addColumn<QList<int>>("sent");
        QTest::addColumn<int>("column"); // clicked; only the check boxes' column toggles
        QTest::addColumn<bool>("connected");
        // The octet of each row is the mapping test's; here it reaches the wire.
        QTest::newRow("uncheck the first, then check the last") << QList<int>{11, 15} << QList<int>{0x01, 0x81} << 2 << true;
        QTest::newRow("check and uncheck again") << QList<int>{14, 14} << QList<int>{0x10, 0x00} << 2 << true;
        QTest::newRow("click on a caption") << QList<int>{11, 12} << QList<int>{} << 0 << true;
        // A channel, but no sensor identified: the rows are relabelled only.
        QTest::newRow("not connected") << QList<int>{11, 13} << QList<int>{} << 2 << false;
    }

    void outputClicksSendTheOctet()
    {
        QFETCH(QList<int>, clicks);
        QFETCH(QList<int>, sent);
        QFETCH(int, column);
        QFETCH(bool, connected);
        DescriptionFile file(document(QString(), entries()));
        SensorWindowProbe w(nullptr, file.path());
        IoLinkSim::SimulatedChannel channel;
        QVERIFY(channel.isValid());
        w.setSerialChannel(&channel);
        w.connected = connected;
        w.p().showProgress = false;
        auto &d = w.p();

        QStringList expected;
        for (int i = 0; i < clicks.size(); ++i) {
            QTreeWidgetItem *row = d.stateRows[clicks[i]];
            if (column == 2)
                row->setCheckState(2, row->checkState(2) == Qt::Checked ? Qt::Unchecked : Qt::Checked);
            emit d.processDataTree->itemClicked(row, column);
            if (i < sent.size())
                expected << hex(octets({0x02, 0x73, 0x27})) << hex(buildOutputCommand(quint8(sent[i])))
                         << hex(octets({0x06, 0x4c, 0x24, 0x00, 0x00, 0x01, 0x98}));
        }
        QStringList wire;
        for (const auto &record : channel.records())
            wire << hex(record.command);
        QCOMPARE(wire, expected);
        QCOMPARE(hex(buildOutputCommand(0x81)), QStringLiteral("03 58 23 81")); // check octet computed, not assumed
        // Every output row reads as its box shows.
        for (int position = 11; position <= 15; ++position)
            QCOMPARE(d.stateRows[position]->text(3),
                     d.stateRows[position]->checkState(2) == Qt::Checked ? QStringLiteral("On") : QStringLiteral("Off"));
        w.setSerialChannel(nullptr);
    }

    void deviceToMasterRowSendsNothing()
    {
        DescriptionFile file(document(QString(), entries()));
        SensorWindowProbe w(nullptr, file.path());
        IoLinkSim::SimulatedChannel channel;
        w.setSerialChannel(&channel);
        w.connected = true;
        auto &d = w.p();
        d.stateRows[11]->setCheckState(2, Qt::Unchecked); // would read "Off" if relabelled
        for (int position : {0, 3, 10})
            emit d.processDataTree->itemClicked(d.stateRows[position], 2);
        emit d.processDataTree->itemClicked(d.measurementValueItem, 0);
        QVERIFY(channel.records().empty());
        QCOMPARE(d.stateRows[11]->text(3), QStringLiteral("On"));
        w.setSerialChannel(nullptr);
    }

    void objectRowAtTheLastOutputPositionIsRelabelled()
    {
        DescriptionFile file(document(QString(), entries(entry("2Extra1", "Extra object"))));
        SensorWindowProbe w(nullptr, file.path());
        IoLinkSim::SimulatedChannel channel;
        w.setSerialChannel(&channel);
        w.connected = true;
        w.p().showProgress = false;
        auto &d = w.p();
        QCOMPARE(d.stateRows[15]->parent(), d.objectItems[0]);
        d.stateRows[15]->setText(3, QStringLiteral("1234.0 mm"));
        d.stateRows[12]->setCheckState(2, Qt::Checked);
        emit d.processDataTree->itemClicked(d.stateRows[12], 2);
        QCOMPARE(d.stateRows[15]->text(3), QStringLiteral("Off"));
        QVERIFY(channel.records().size() >= 2);
        QCOMPARE(hex(channel.records()[1].command), hex(buildOutputCommand(0x02)));
        w.setSerialChannel(nullptr);
    }
};

QTEST_MAIN(ProcessDataViewTest)
#include "tst_processdataview.moc"
