// The parameter tree built from description documents: kinds, initial
// values, enabled state and the read-only marker, hidden nodes, captions,
// duplicate ids, broken documents, lookups and re-translation.

#include "k4ktest.h"
#include "sensorwindowprobe.h"

#include <extensionsystem/globals.h>
#include <extensionsystem/plugininterface.h>
#include <qtpropertymanager.h>
#include <qttreepropertybrowser.h>
#include <utils/buttonmanager.h>

#include <QTreeWidget>
#include <QtTest>

#include <memory>

using namespace K4KTest;
using ExtensionSystem::Globals;

namespace {

std::unique_ptr<SensorWindowProbe> buildWindow(const DescriptionFile &file)
{
    return std::make_unique<SensorWindowProbe>(nullptr, file.path());
}

// The value of any kind of property, as the tree holds it.
QVariant valueOf(SensorWindowProbe &w, QtProperty *p)
{
    auto &d = w.p();
    QtAbstractPropertyManager *m = p->propertyManager();
    if (m == d.intManager)
        return d.intManager->value(p);
    if (m == d.doubleManager)
        return d.doubleManager->value(p);
    if (m == d.boolManager)
        return d.boolManager->value(p);
    if (m == d.enumManager)
        return d.enumManager->value(p);
    if (m == d.stringManager)
        return d.stringManager->value(p);
    if (m == d.buttonManager)
        return d.buttonManager->value(p);
    return QVariant();
}

QStringList ids(const QList<QtProperty *> &properties)
{
    QStringList result;
    for (QtProperty *p : properties)
        result.append(p->propertyId());
    return result;
}

const QString kItems = QStringLiteral("<items><a><en>A</en><de>A-de</de></a><b><en>B</en><de>B-de</de></b>"
                                      "<c><en>C</en><de>C-de</de></c></items>");

} // namespace

class PropertyTreeTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { Globals::setLanguage("en"); }

    void initialValueByKind_data()
    {
        QTest::addColumn<QString>("xml");
        QTest::addColumn<QVariant>("expected");

        QTest::newRow("enumerator default 2 is the third entry")
            << node("enumerator", "X", kItems + "<defaultvalue>2</defaultvalue>") << QVariant(2);
        QTest::newRow("int default within limits")
            << node("int", "X", "<min>0</min><max>100</max><defaultvalue>42</defaultvalue>") << QVariant(42);
        QTest::newRow("int default beyond max is clamped")
            << node("int", "X", "<min>0</min><max>100</max><defaultvalue>500</defaultvalue>") << QVariant(100);
        QTest::newRow("int without limits is held at 0")
            << node("int", "X", "<defaultvalue>7</defaultvalue>") << QVariant(0);
        QTest::newRow("int default with trailing letters reads 0")
            << node("int", "X", "<min>-10</min><max>100</max><defaultvalue>12abc</defaultvalue>") << QVariant(0);
        QTest::newRow("double default 2.5")
            << node("double", "X", "<min>0</min><max>10</max><defaultvalue>2.5</defaultvalue>") << QVariant(2.5);
        QTest::newRow("double default with blanks around")
            << node("double", "X", "<min>0</min><max>10</max><defaultvalue> 7.25 </defaultvalue>") << QVariant(7.25);
        QTest::newRow("double default of letters reads 0")
            << node("double", "X", "<min>-5</min><max>10</max><defaultvalue>abc</defaultvalue>") << QVariant(0.0);
        QTest::newRow("bool default 1 is checked") << node("bool", "X", "<defaultvalue>1</defaultvalue>") << QVariant(true);
        QTest::newRow("bool default true is not a number")
            << node("bool", "X", "<defaultvalue>true</defaultvalue>") << QVariant(false);
        QTest::newRow("bool without default") << node("bool", "X") << QVariant(false);
        QTest::newRow("string default text")
            << node("string", "X", "<isString>true</isString><defaultvalue>hello</defaultvalue>") << QVariant("hello");
        QTest::newRow("action label from caption")
            << node("action", "X", "<caption><text><en>Teach</en></text></caption>") << QVariant("Teach");
        QTest::newRow("action without caption")
            << node("action", "X") << QVariant("action");
        QTest::newRow("value is ignored when defaults are used")
            << node("int", "X", "<min>0</min><max>100</max><value>9</value><defaultvalue>3</defaultvalue>") << QVariant(3);
    }

    void initialValueByKind()
    {
        QFETCH(QString, xml);
        QFETCH(QVariant, expected);
        DescriptionFile file(document(xml));
        auto w = buildWindow(file);
        QtProperty *p = w->findProperty("X");
        QVERIFY(p);
        const QVariant actual = valueOf(*w, p);
        if (expected.type() == QVariant::Double)
            QCOMPARE(actual.toDouble(), expected.toDouble());
        else
            QCOMPARE(actual, expected);
    }

    // The host's scripted --set and --click: refused unless an editor could
    // have made the same change; otherwise the manager's value changes (which is
    // what starts the delayed write) or the button clicks.
    void unattendedEditsGoThroughTheEditors_data()
    {
        QTest::addColumn<QString>("id");
        QTest::addColumn<QString>("value");
        QTest::addColumn<int>("result");
        QTest::addColumn<QVariant>("after");
        using Step = ExtensionSystem::PluginInterface;
        QTest::newRow("unknown id") << "Nope" << "1" << int(Step::StepUnknownId) << QVariant();
        QTest::newRow("int in range") << "Num" << "42" << int(Step::StepDone) << QVariant(42);
        QTest::newRow("int above max") << "Num" << "101" << int(Step::StepRefused) << QVariant(5);
        QTest::newRow("int not a number") << "Num" << "4x" << int(Step::StepRefused) << QVariant(5);
        QTest::newRow("double, C locale") << "Dec" << "2.5" << int(Step::StepDone) << QVariant(2.5);
        QTest::newRow("entry index") << "List" << "2" << int(Step::StepDone) << QVariant(2);
        QTest::newRow("entry index past the list") << "List" << "3" << int(Step::StepRefused) << QVariant(0);
        QTest::newRow("truth value 1") << "Flag" << "1" << int(Step::StepDone) << QVariant(true);
        QTest::newRow("truth value 2") << "Flag" << "2" << int(Step::StepRefused) << QVariant(false);
        QTest::newRow("category") << "Cat" << "1" << int(Step::StepRefused) << QVariant();
    }

    void unattendedEditsGoThroughTheEditors()
    {
        QFETCH(QString, id);
        QFETCH(QString, value);
        QFETCH(QVariant, after);
        const QString range = "<min>0</min><max>100</max><defaultvalue>5</defaultvalue>";
        const DescriptionFile file(document(
            "<property><type>category</type><id>Cat</id><text><en>C</en></text>" + node("int", "Num", range)
            + node("double", "Dec", range) + node("enumerator", "List", kItems + "<defaultvalue>0</defaultvalue>")
            + node("bool", "Flag", "<defaultvalue>0</defaultvalue>") + node("action", "TEACHBUTTON1") + "</property>"));
        auto w = buildWindow(file);
        QTEST(w->nSetParameterAsEditor(id, value), "result");
        if (after.isValid())
            QCOMPARE(valueOf(*w, w->findProperty(id)), after);

        QSignalSpy clicked(w->p().buttonManager, &Utils::ButtonManager::buttonClicked);
        QCOMPARE(w->nClickTreeButton("TEACHBUTTON1"), int(ExtensionSystem::PluginInterface::StepDone));
        QCOMPARE(w->nClickTreeButton("Num"), int(ExtensionSystem::PluginInterface::StepRefused));
        QCOMPARE(clicked.count(), 1);
    }

    void enabledStateAndMarker_data()
    {
        QTest::addColumn<QString>("xml");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<bool>("marked");
        QTest::addColumn<bool>("hasItemList");

        const QString limits = QStringLiteral("<min>0</min><max>9</max>");
        QTest::newRow("int without readonly: enabled and marked") << node("int", "X", limits) << true << true << false;
        QTest::newRow("int readonly false: enabled, unmarked")
            << node("int", "X", limits + "<readonly>false</readonly>") << true << false << false;
        QTest::newRow("int readonly true: disabled, marked")
            << node("int", "X", limits + "<readonly>true</readonly>") << false << true << false;
        QTest::newRow("int readonly yes: disabled, unmarked")
            << node("int", "X", limits + "<readonly>yes</readonly>") << false << false << false;
        QTest::newRow("double without readonly: never marked") << node("double", "X", limits) << true << false << false;
        QTest::newRow("string without readonly: marked, no list")
            << node("string", "X", kItems + "<defaultvalue>A</defaultvalue>") << true << true << false;
        QTest::newRow("string readonly false: list kept")
            << node("string", "X", kItems + "<defaultvalue>A</defaultvalue><readonly>false</readonly>") << true << false
            << true;
        QTest::newRow("free text: never marked")
            << node("string", "X", "<isString>true</isString><defaultvalue>t</defaultvalue>") << true << false << false;
        QTest::newRow("category readonly true is disabled")
            << node("category", "X", "<readonly>true</readonly>") << false << false << false;
    }

    void enabledStateAndMarker()
    {
        QFETCH(QString, xml);
        QFETCH(bool, hasItemList);
        DescriptionFile file(document(xml));
        auto w = buildWindow(file);
        QtProperty *p = w->findProperty("X");
        QVERIFY(p);
        QTEST(p->isEnabled(), "enabled");
        QTEST(p->statusTip() == QLatin1String("readOnly"), "marked");
        QCOMPARE(w->propertyItemTexts.contains("X"), hasItemList);
        if (hasItemList)
            QCOMPARE(w->propertyItemTexts.value("X"), QStringList({"A", "B", "C"}));
    }

    void captionsFallBackToEnglish_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("texts");
        QTest::addColumn<QString>("caption");

        QTest::newRow("own language") << "de" << "<text><en>Range</en><de>Bereich</de></text>" << "Bereich";
        QTest::newRow("English only") << "de" << "<text><en>Range</en></text>" << "Range";
        QTest::newRow("empty own caption") << "de" << "<text><en>Range</en><de></de></text>" << "Range";
        QTest::newRow("English reader") << "en" << "<text><en>Range</en><de>Bereich</de></text>" << "Range";
        QTest::newRow("unknown language") << "fr" << "<text><en>Range</en><de>Bereich</de></text>" << "Range";
        QTest::newRow("no English either") << "en" << "<text><de>Bereich</de></text>" << "";
    }

    void captionsFallBackToEnglish()
    {
        QFETCH(QString, language);
        QFETCH(QString, texts);
        Globals::setLanguage(language.toStdString());
        const QString items = QStringLiteral("<items><a><en>One</en><de>Eins</de></a><b><en>Two</en><de></de></b>"
                                             "<c><en>Three</en></c></items>");
        DescriptionFile file(document(QStringLiteral("<property><type>enumerator</type><id>X</id>") + texts + items
                                      + QStringLiteral("<index>1</index><subIndex>0</subIndex><size>6</size></property>")));
        auto w = buildWindow(file);
        QtProperty *p = w->findProperty("X");
        QVERIFY(p);
        QTEST(p->propertyName(), "caption");
        const QString first = language == "de" ? "Eins" : "One";
        QCOMPARE(w->p().enumManager->enumNames(p), QStringList({first, "Two", "Three"}));
    }

    void whichNodesBecomeProperties_data()
    {
        QTest::addColumn<QString>("xml");
        QTest::addColumn<QStringList>("attached"); // below the root, in order
        QTest::addColumn<QStringList>("addressed");
        QTest::addColumn<QStringList>("unaddressed");
        QTest::addColumn<QStringList>("hidden");

        const QString limits = QStringLiteral("<min>0</min><max>5</max>");
        // Hidden nodes keep their address, but neither they nor their children
        // are attached; categories have no address.
        QTest::newRow("hidden nodes")
            << node("int", "A", limits)
                   + node("category", "H", "<visible>false</visible>" + node("int", "HChild", limits))
                   + node("bool", "B", "<visible>no</visible>") + node("int", "C", limits)
            << QStringList{"A", "C"} << QStringList{"HChild", "B"} << QStringList{"H"} << QStringList{"H", "B"};
        QTest::newRow("unknown kinds create nothing")
            << node("int", "A", limits) + node("slider", "U", node("int", "UChild", limits)) + node("", "Empty")
                   + node("bool", "B")
            << QStringList{"A", "B"} << QStringList{} << QStringList{"U", "Empty", "UChild"} << QStringList{};
        QTest::newRow("any top-level element name, only property children")
            << node("category", "Cat", node("int", "Nested", limits) + node("int", "Ignored", limits, "setting"), "group")
                   + node("bool", "Top", QString(), "anything")
            << QStringList{"Cat", "Nested", "Top"} << QStringList{"Nested"} << QStringList{"Ignored"} << QStringList{};
    }

    void whichNodesBecomeProperties()
    {
        QFETCH(QString, xml);
        QFETCH(QStringList, addressed);
        QFETCH(QStringList, unaddressed);
        QFETCH(QStringList, hidden);
        DescriptionFile file(document(xml));
        auto w = buildWindow(file);
        QTEST(ids(w->allSubProperties(w->rootProperty)), "attached");
        for (const QString &id : addressed)
            QVERIFY2(w->propertyAddresses.contains(id), qPrintable(id));
        for (const QString &id : unaddressed)
            QVERIFY2(!w->propertyAddresses.contains(id), qPrintable(id));
        for (const QString &id : hidden)
            QVERIFY2(!w->findProperty(id), qPrintable(id));
        QCOMPARE(w->hiddenPropertyIds, hidden);
    }

    void duplicateIdsReplaceBookkeepingButKeepBothProperties()
    {
        const QString first = QStringLiteral("<property><type>string</type><id>D</id><text><en>first</en></text>"
                                             "<index>10</index><subIndex>1</subIndex><size>6</size><readonly>false</readonly>"
                                             "<defaultvalue>x</defaultvalue><items><a><en>x</en></a></items></property>");
        const QString second = QStringLiteral("<property><type>string</type><id>D</id><text><en>second</en></text>"
                                              "<index>20</index><subIndex>2</subIndex><size>7</size><readonly>false</readonly>"
                                              "<defaultvalue>y</defaultvalue><items><a><en>y</en></a><b><en>z</en></b></items>"
                                              "</property>");
        DescriptionFile file(document(first + second));
        auto w = buildWindow(file);
        QCOMPARE(w->propertyAddresses.value("D"), QStringLiteral("20;2;7"));
        QCOMPARE(w->propertyItemTexts.value("D"), QStringList({"y", "z"}));
        QCOMPARE(ids(w->allSubProperties(w->rootProperty)), QStringList({"D", "D"}));
        QCOMPARE(w->findProperty("D")->propertyName(), QStringLiteral("first"));
    }

    void brokenDocumentsLeaveAWorkingWindow_data()
    {
        QTest::addColumn<QString>("content"); // null: no file
        QTest::addColumn<int>("stateRows");

        const QString entries = QStringLiteral("<e><id>n1</id><text><en>Distance</en></text></e>");
        QTest::newRow("missing file") << QString() << 0;
        QTest::newRow("malformed XML") << QStringLiteral("<document><treeGui><default>") << 0;
        QTest::newRow("no tree branch") << document(QString(), entries) << 1;
        QTest::newRow("no process-data branch") << document(node("bool", "B")) << 0;
        QTest::newRow("empty file") << QString("") << 0;
        // Thousands of nested categories would overflow the recursive tree build.
        const QStringList category = node("category", "C", "|").split('|');
        QTest::newRow("tree nested too deep")
            << document(category[0].repeated(5000) + node("bool", "B") + category[1].repeated(5000), entries) << 0;
    }

    void brokenDocumentsLeaveAWorkingWindow()
    {
        QFETCH(QString, content);
        QFETCH(int, stateRows);
        DescriptionFile file(content);
        SensorWindowProbe w(nullptr, file.path());
        QVERIFY(w.rootProperty);
        QCOMPARE(w.rootProperty->propertyId(), QStringLiteral("root"));
        QCOMPARE(w.p().stateRows.size(), stateRows);
        QCOMPARE(w.p().processDataTree->topLevelItemCount(), 3);
        QCOMPARE(w.p().observationTree->topLevelItemCount(), 1);
        QVERIFY(!w.findProperty("ObjectInfo"));
        // Lookups and the rules' visibility calls on an empty tree are harmless.
        w.vSetPropertyVisible("AnalogMode", true);
        w.vEnableEditableProperties();
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QVERIFY(w.close());
    }

    void findPropertyIsPreOrderBelowTheStart()
    {
        const QString xml = node("category", "Cat",
                                 node("category", "Inner", node("int", "Dup", "<min>0</min><max>5</max><defaultvalue>1</defaultvalue>"))
                                     + node("int", "Dup", "<min>0</min><max>5</max><defaultvalue>2</defaultvalue>"))
                            + node("int", "Dup", "<min>0</min><max>5</max><defaultvalue>3</defaultvalue>")
                            + node("int", "Gone", "<visible>false</visible>");
        DescriptionFile file(document(xml));
        auto w = buildWindow(file);
        QtProperty *hit = w->findProperty("Dup");
        QVERIFY(hit);
        QCOMPARE(w->p().intManager->value(hit), 1);
        QVERIFY(!w->findProperty("root"));
        QVERIFY(!w->findProperty("Gone"));
        QVERIFY(!w->findProperty(QString()) || w->findProperty(QString())->propertyId().isEmpty());
        QtProperty *cat = w->findProperty("Cat");
        QVERIFY(cat);
        QVERIFY(!w->findProperty(cat, "Cat")); // the start itself is not tested
        QCOMPARE(w->findProperty(cat, "Inner")->propertyId(), QStringLiteral("Inner"));
        QVERIFY(!w->findProperty(nullptr, "Dup"));
    }

    void enableEditableKeepsMarkedPropertiesDisabled()
    {
        const QString xml = node("int", "Marked", "<min>0</min><max>5</max>")
                            + node("int", "Plain", "<min>0</min><max>5</max><readonly>false</readonly>")
                            + node("string", "Text", "<defaultvalue>t</defaultvalue>")
                            + node("double", "Locked", "<min>0</min><max>5</max><readonly>true</readonly>");
        DescriptionFile file(document(xml));
        auto w = buildWindow(file);
        QVERIFY(!w->findProperty("Locked")->isEnabled());
        for (QtProperty *p : w->allSubProperties(w->rootProperty))
            p->setEnabled(false);
        w->vEnableEditableProperties();
        QVERIFY(!w->findProperty("Marked")->isEnabled());
        QVERIFY(!w->findProperty("Text")->isEnabled());
        QVERIFY(w->findProperty("Plain")->isEnabled());
        QVERIFY(w->findProperty("Locked")->isEnabled()); // unmarked, so released
        w->findProperty("Marked")->setEnabled(true);
        w->vEnableEditableProperties();
        QVERIFY(w->findProperty("Marked")->isEnabled()); // never disables
    }

    void hidingAnItemKeepsValueAndLookup()
    {
        DescriptionFile file(document(node("category", "Cat", node("int", "V", "<min>0</min><max>50</max><defaultvalue>17</defaultvalue>"))));
        auto w = buildWindow(file);
        QtProperty *p = w->findProperty("V");
        QVERIFY(w->isShown("V"));
        w->vSetPropertyVisible("V", false);
        QVERIFY(!w->isShown("V"));
        QCOMPARE(w->findProperty("V"), p);
        QCOMPARE(w->p().intManager->value(p), 17);
        w->vSetPropertyVisible("V", true);
        QVERIFY(w->isShown("V"));
        w->vSetPropertyVisible("NoSuchId", false); // changes nothing, no crash
    }

    void languageChangeRenamesAndKeepsSelections()
    {
        const QString enumNode = QStringLiteral("<property><type>enumerator</type><id>Mode</id><text><en>Mode</en><de>Modus</de>"
                                                "</text><index>1</index><subIndex>0</subIndex><size>6</size>")
                                 + kItems + QStringLiteral("<defaultvalue>1</defaultvalue></property>");
        const QString listNode = QStringLiteral("<property><type>string</type><id>Pick</id><text><en>Pick</en></text>"
                                                "<index>2</index><subIndex>0</subIndex><size>6</size><readonly>false</readonly>")
                                 + kItems + QStringLiteral("<defaultvalue>C</defaultvalue></property>");
        const QString freeNode = node("string", "Free", "<isString>true</isString><defaultvalue>C</defaultvalue>");
        const QString button = QStringLiteral("<property><type>action</type><id>Go</id><text><en>Go</en></text>"
                                              "<caption><text><en>Start</en><de>Los</de></text></caption>"
                                              "<index>3</index><subIndex>0</subIndex><size>6</size></property>");
        const QString hidden = node("category", "Hidden", "<visible>false</visible>"
                                    + QStringLiteral("<property><type>bool</type><id>Sub</id><text><en>Sub</en><de>Unter</de>"
                                                     "</text><index>4</index><subIndex>0</subIndex><size>6</size></property>"));
        const QString entries = QStringLiteral("<e><id>n1</id><text><en>Distance</en><de>Abstand</de></text></e>"
                                               "<e><id>n2</id><text><en>Speed</en></text></e>");
        DescriptionFile file(document(enumNode + listNode + freeNode + button + hidden, entries));
        auto w = buildWindow(file);
        auto &d = w->p();
        QtProperty *mode = w->findProperty("Mode");
        QtProperty *pick = w->findProperty("Pick");
        QtProperty *go = w->findProperty("Go");

        Globals::setLanguage("de");
        QEvent change(QEvent::LanguageChange);
        QCoreApplication::sendEvent(w.get(), &change);

        QCOMPARE(mode->propertyName(), QStringLiteral("Modus"));
        QCOMPARE(d.enumManager->enumNames(mode), QStringList({"A-de", "B-de", "C-de"}));
        QCOMPARE(d.enumManager->value(mode), 1);
        QCOMPARE(d.stringManager->value(pick), QStringLiteral("C-de"));
        QCOMPARE(w->propertyItemTexts.value("Pick"), QStringList({"A-de", "B-de", "C-de"}));
        QCOMPARE(d.stringManager->value(w->findProperty("Free")), QStringLiteral("C"));
        QCOMPARE(d.buttonManager->value(go), QStringLiteral("Los"));
        QCOMPARE(d.stateRows.at(0)->text(0), QStringLiteral("Abstand     "));
        QCOMPARE(d.stateRows.at(1)->text(0), QStringLiteral("Speed     "));
        QCOMPARE(ids(w->allSubProperties(w->rootProperty)), QStringList({"Mode", "Pick", "Free", "Go"}));

        // Other change events translate nothing.
        Globals::setLanguage("en");
        QEvent other(QEvent::EnabledChange);
        QCoreApplication::sendEvent(w.get(), &other);
        QCOMPARE(mode->propertyName(), QStringLiteral("Modus"));
    }
};

QTEST_MAIN(PropertyTreeTest)
#include "tst_propertytree.moc"
