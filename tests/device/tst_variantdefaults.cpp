// The connected sensor's variant adapting the tree, limits and lists; the
// lists never cut twice, nor before a variant is known, nor by a language
// change; and restoring factory defaults, declined and accepted.

#include "k4ktest.h"
#include "sensorwindowprobe.h"

#include "catalogue/catalogue.h"
#include "comm/pause.h"
#include "persistence/dialoglayer.h"

#include <extensionsystem/globals.h>
#include <qtproperty.h>
#include <qtpropertymanager.h>
#include <qttreepropertybrowser.h>
#include <simulator/simulatedchannel.h>

#include <QtTest>

using namespace K4KTest;
using namespace DirazSensorPlugin::Core;

namespace {

ExtensionSystem::SensorBasic model(const QString &name)
{
    for (const ExtensionSystem::SensorBasic &m : catalogueList(shippedDescription()))
        if (QString::fromStdString(m.name()) == name)
            return m;
    return ExtensionSystem::SensorBasic();
}

int entries(SensorWindowProbe &w, const char *id)
{
    return w.p().enumManager->enumNames(w.findProperty(QString::fromLatin1(id))).size();
}

} // namespace

class VariantDefaultsTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        DialogLayer::setTestMode(true);
        setPauseScale(0.0);
    }
    void init() { DialogLayer::reset(); }

    void variant_data()
    {
        QTest::addColumn<QString>("modelName");
        QTest::addColumn<QString>("product");
        QTest::addColumn<QStringList>("visible");
        QTest::addColumn<QStringList>("hidden");
        QTest::addColumn<int>("maxRange");
        QTest::addColumn<int>("unitCut");    // entries cut from "MesurementUnit" and "TeachInMode1"
        QTest::addColumn<int>("warningCut"); // entries cut from each "ErrorWarning" list
        const QString r = QStringLiteral("K4K-R IO-Link"), x = QStringLiteral("K4K-X IO-Link");
        QTest::newRow("R 4M1") << r << "K4KR4M1" << QStringList{"Bluetooth", "PinFunctionA2", "Sensitivity"}
                               << QStringList{"AnalogMode"} << 10000 << 0 << 1;
        QTest::newRow("R 4M2 no Bluetooth") << r << "K4KR4M2" << QStringList{} << QStringList{"Bluetooth"} << 10000
                                            << 0 << 1;
        QTest::newRow("R 4M3 analog") << r << "K4KR4M3" << QStringList{"AnalogMode"}
                                      << QStringList{"AnalogSubt", "PinFunctionA2", "Output2Settings"} << 10000 << 0 << 0;
        QTest::newRow("R 4M6 analog") << r << "K4KR4M6" << QStringList{"AnalogMode", "AnalogSubt"}
                                      << QStringList{"PinFunctionA2"} << 10000 << 0 << 0;
        QTest::newRow("X 4M1 high range") << x << "K4KX4M1" << QStringList{"Bluetooth"} << QStringList{"Sensitivity"}
                                          << 100000 << 1 << 1;
        QTest::newRow("unknown key changes nothing") << r << "K4KR9Z9" << QStringList{"Bluetooth", "Sensitivity"}
                                                     << QStringList{} << 100000 << 0 << 0;
        QTest::newRow("six characters change nothing") << x << "K4KX4M" << QStringList{"Sensitivity"}
                                                       << QStringList{} << 100000 << 0 << 0;
    }
    void variant()
    {
        QFETCH(QString, modelName);
        QFETCH(QString, product);
        const ExtensionSystem::SensorBasic record = model(modelName);
        SensorWindowProbe w(&record, shippedDescription());
        const int units = entries(w, "MesurementUnit"), teach = entries(w, "TeachInMode1");
        const int warnings = entries(w, "ErrorWarning3");
        w.p().connectedProductName = product;
        QtProperty *unit = w.findProperty(QStringLiteral("MesurementUnit"));
        w.p().enumManager->setValue(unit, 3); // an entry high-range models lose
        // Twice, as a second identification does: lists are cut once.
        w.vApplySensorVariant();
        w.vApplySensorVariant();
        QFETCH(QStringList, visible);
        QFETCH(QStringList, hidden);
        for (const QString &id : visible)
            QVERIFY2(w.isShown(id), qPrintable(id));
        for (const QString &id : hidden)
            QVERIFY2(!w.isShown(id), qPrintable(id));
        QTEST(w.p().maxRange, "maxRange");
        QFETCH(int, unitCut);
        QFETCH(int, warningCut);
        QCOMPARE(entries(w, "MesurementUnit"), units - unitCut);
        QCOMPARE(entries(w, "TeachInMode1"), teach - unitCut);
        QCOMPARE(entries(w, "ErrorWarning3"), warnings - warningCut);
        QCOMPARE(w.p().enumManager->value(unit), unitCut ? 0 : 3);

        // A language change rebuilds lists from the description: same cut.
        ExtensionSystem::Globals::setLanguage("de");
        QEvent change(QEvent::LanguageChange);
        QCoreApplication::sendEvent(&w, &change);
        ExtensionSystem::Globals::setLanguage("en");
        QCOMPARE(entries(w, "MesurementUnit"), units - unitCut);
        QCOMPARE(entries(w, "TeachInMode1"), teach - unitCut);
        QCOMPARE(entries(w, "ErrorWarning3"), warnings - warningCut);
    }

    void factoryDefaults_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<QStringList>("frames");
        QTest::newRow("Cancel sends nothing") << int(QMessageBox::Cancel) << QStringList();
        QTest::newRow("Ok restores and reads back")
            << int(QMessageBox::Ok) << QStringList{"02 73 27", "06 6b 24 02 00 00 82", "02 70 22", "02 70 22"};
    }
    void factoryDefaults()
    {
        QFETCH(int, answer);
        QFETCH(QStringList, frames);
        const ExtensionSystem::SensorBasic record = model(QStringLiteral("K4K-R IO-Link"));
        SensorWindowProbe w(&record, shippedDescription());
        IoLinkSim::SimulatedChannel sim;
        w.setSerialChannel(&sim);
        w.vRestoreFactorySettings(); // not connected: no question, nothing sent
        QVERIFY(DialogLayer::takeShown().isEmpty());
        w.connected = true;
        DialogLayer::enqueueAnswer(answer);
        w.vRestoreFactorySettings();
        const QList<DialogLayer::Shown> shown = DialogLayer::takeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].title, QStringLiteral("Restore factory defaults"));
        QCOMPARE(shown[0].text, QStringLiteral("All settings will be restored to factory defaults, continue ?"));
        QStringList sent;
        for (const auto &r : sim.records())
            sent << QString::fromLatin1(QByteArray(r.command.data(), int(r.command.size())).toHex(' '));
        QCOMPARE(sent.mid(0, 4), frames);
        w.setSerialChannel(nullptr);
    }
};

QTEST_MAIN(VariantDefaultsTest)
#include "tst_variantdefaults.moc"
