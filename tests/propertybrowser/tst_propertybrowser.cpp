#include "qteditorfactory.h"
#include "qtpropertybrowser.h"
#include "qtpropertymanager.h"
#include "qttreepropertybrowser.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTreeWidget>
#include <QtTest>

#include <memory>

Q_DECLARE_METATYPE(QtProperty *)
Q_DECLARE_METATYPE(QtBrowserItem *)

namespace {

// Names of the rows below a tree item (or of the top level), in order.
QStringList rowNames(const QTreeWidget *tree, const QTreeWidgetItem *parent = nullptr)
{
    QStringList names;
    const int count = parent ? parent->childCount() : tree->topLevelItemCount();
    for (int i = 0; i < count; ++i) {
        const QTreeWidgetItem *row = parent ? parent->child(i) : tree->topLevelItem(i);
        names << row->text(0);
    }
    return names;
}

QStringList itemNames(const QList<QtBrowserItem *> &items)
{
    QStringList names;
    for (const QtBrowserItem *item : items)
        names << item->property()->propertyName();
    return names;
}

// Editors live in the view's viewport only while a row is edited.
template <class Editor>
QList<Editor *> openEditors(const QtTreePropertyBrowser &browser)
{
    return browser.treeWidget()->viewport()->findChildren<Editor *>();
}

void flushDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

} // namespace

class TestPropertyBrowser : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void intRangeClamping_data();
    void intRangeClamping();
    void intMinimumAndMaximumMoveEachOther();
    void doubleRangeClamping_data();
    void doubleRangeClamping();
    void doubleDefaultsAndDecimals();
    void valueChangedOnlyOnChange();
    void enumOutOfRangeIgnored_data();
    void enumOutOfRangeIgnored();
    void enumNewNamesSelectFirstEntry();
    void boolTwoTexts_data();
    void boolTwoTexts();
    void stringRegExpRejects();
    void propertyIdRoundTrip_data();
    void propertyIdRoundTrip();

    void subPropertyInsertionReachesBrowser();
    void subPropertyRemovalRemovesRows();
    void propertyUnderTwoParents();
    void cyclesAndDuplicatesRefused();
    void destroyedPropertyLeavesBrowser();
    void topLevelInsertOrder();
    void itemVisibility();
    void valueColumnFollowsManager();
    void disabledPropertyGreyedAndNotEditable();
    void currentItemKeptInStep();
    void expandCollapseSignals();

    void factoryEditorsWriteBack();
    void editorsFollowRangeAndNames();
    void editorOnlyWhileEditing();
    void clickIntoValueColumnEdits();
    void laterFactoryReplacesEarlier();
    void managerDestroyedWhileShown();
    void manyPropertiesKeepOrder();
};

void TestPropertyBrowser::initTestCase()
{
    qRegisterMetaType<QtProperty *>();
    qRegisterMetaType<QtBrowserItem *>();
    QLocale::setDefault(QLocale::c());
}

void TestPropertyBrowser::intRangeClamping_data()
{
    QTest::addColumn<int>("initial");
    QTest::addColumn<int>("minimum");
    QTest::addColumn<int>("maximum");
    QTest::addColumn<int>("afterRange");
    QTest::addColumn<int>("set");
    QTest::addColumn<int>("afterSet");

    QTest::newRow("inside stays") << 5 << 0 << 10 << 5 << 7 << 7;
    QTest::newRow("above moves to max") << 50 << 0 << 10 << 10 << 20 << 10;
    QTest::newRow("below moves to min") << -5 << 0 << 10 << 0 << -100 << 0;
    QTest::newRow("reversed range") << 50 << 10 << 0 << 10 << -1 << 0;
    QTest::newRow("one-point range") << 3 << 4 << 4 << 4 << 9 << 4;
    QTest::newRow("extremes") << 0 << INT_MIN << INT_MAX << 0 << INT_MIN << INT_MIN;
}

void TestPropertyBrowser::intRangeClamping()
{
    QFETCH(int, initial);
    QFETCH(int, minimum);
    QFETCH(int, maximum);
    QFETCH(int, afterRange);
    QFETCH(int, set);
    QFETCH(int, afterSet);

    QtIntPropertyManager manager;
    QtProperty *p = manager.addProperty("p");
    manager.setValue(p, initial);
    QSignalSpy values(&manager, &QtIntPropertyManager::valueChanged);
    QSignalSpy ranges(&manager, &QtIntPropertyManager::rangeChanged);

    manager.setRange(p, minimum, maximum);
    QCOMPARE(manager.value(p), afterRange);
    QCOMPARE(manager.minimum(p), qMin(minimum, maximum));
    QCOMPARE(manager.maximum(p), qMax(minimum, maximum));
    const bool rangeIsDefault = minimum == INT_MIN && maximum == INT_MAX;
    QCOMPARE(ranges.count(), rangeIsDefault ? 0 : 1);
    QCOMPARE(values.count(), afterRange != initial ? 1 : 0);
    if (!values.isEmpty())
        QCOMPARE(values.last().at(1).toInt(), afterRange);

    manager.setValue(p, set);
    QCOMPARE(manager.value(p), afterSet);
    QCOMPARE(p->valueText(), QString::number(afterSet));
    const int expectedSignals = (afterRange != initial ? 1 : 0) + (afterSet != afterRange ? 1 : 0);
    QCOMPARE(values.count(), expectedSignals);
}

void TestPropertyBrowser::intMinimumAndMaximumMoveEachOther()
{
    QtIntPropertyManager manager;
    QtProperty *p = manager.addProperty("p");
    manager.setRange(p, 0, 10);
    manager.setValue(p, 5);

    manager.setMinimum(p, 20);
    QCOMPARE(manager.minimum(p), 20);
    QCOMPARE(manager.maximum(p), 20);
    QCOMPARE(manager.value(p), 20);

    manager.setMaximum(p, -3);
    QCOMPARE(manager.minimum(p), -3);
    QCOMPARE(manager.maximum(p), -3);
    QCOMPARE(manager.value(p), -3);

    manager.setSingleStep(p, 5);
    QCOMPARE(manager.singleStep(p), 5);
}

void TestPropertyBrowser::doubleRangeClamping_data()
{
    QTest::addColumn<double>("minimum");
    QTest::addColumn<double>("maximum");
    QTest::addColumn<double>("set");
    QTest::addColumn<double>("expected");
    QTest::addColumn<QString>("text");

    QTest::newRow("inside") << 0.0 << 100000.0 << 2.5 << 2.5 << "2.50";
    QTest::newRow("above max") << 0.0 << 100000.0 << 150000.5 << 100000.0 << "100000.00";
    QTest::newRow("below min") << 1.0 << 5.0 << -7.25 << 1.0 << "1.00";
    QTest::newRow("fraction of step kept") << 0.0 << 1.0 << 0.125 << 0.125 << "0.13";
    QTest::newRow("negative range") << -10.0 << -5.0 << 0.0 << -5.0 << "-5.00";
}

void TestPropertyBrowser::doubleRangeClamping()
{
    QFETCH(double, minimum);
    QFETCH(double, maximum);
    QFETCH(double, set);
    QFETCH(double, expected);
    QFETCH(QString, text);

    QtDoublePropertyManager manager;
    QtProperty *p = manager.addProperty("p");
    manager.setRange(p, minimum, maximum);
    manager.setValue(p, set);
    QCOMPARE(manager.value(p), expected);
    QCOMPARE(p->valueText(), text);

    // Narrowing the range around the value pulls it along.
    QSignalSpy values(&manager, &QtDoublePropertyManager::valueChanged);
    const double middle = (minimum + maximum) / 2;
    manager.setRange(p, middle, middle);
    QCOMPARE(manager.value(p), middle);
    QCOMPARE(values.count(), expected != middle ? 1 : 0);
}

void TestPropertyBrowser::doubleDefaultsAndDecimals()
{
    QtDoublePropertyManager manager;
    QtProperty *p = manager.addProperty("p");
    QCOMPARE(manager.decimals(p), 2);
    QCOMPARE(manager.singleStep(p), 1.0);

    manager.setValue(p, 3.14159);
    QCOMPARE(p->valueText(), QString("3.14"));
    QSignalSpy decimals(&manager, &QtDoublePropertyManager::decimalsChanged);
    manager.setDecimals(p, 4);
    QCOMPARE(p->valueText(), QString("3.1416"));
    manager.setDecimals(p, 99);
    QCOMPARE(manager.decimals(p), 13);
    manager.setDecimals(p, 13);
    QCOMPARE(decimals.count(), 2);

    // The stored value is not rounded to the decimals shown.
    QCOMPARE(manager.value(p), 3.14159);
}

void TestPropertyBrowser::valueChangedOnlyOnChange()
{
    QtBoolPropertyManager bools;
    QtIntPropertyManager ints;
    QtDoublePropertyManager doubles;
    QtStringPropertyManager strings;
    QtEnumPropertyManager enums;
    QtProperty *b = bools.addProperty("b");
    QtProperty *i = ints.addProperty("i");
    QtProperty *d = doubles.addProperty("d");
    QtProperty *s = strings.addProperty("s");
    QtProperty *e = enums.addProperty("e");
    enums.setEnumNames(e, {"a", "b", "c"});

    QSignalSpy bSpy(&bools, &QtBoolPropertyManager::valueChanged);
    QSignalSpy iSpy(&ints, &QtIntPropertyManager::valueChanged);
    QSignalSpy dSpy(&doubles, &QtDoublePropertyManager::valueChanged);
    QSignalSpy sSpy(&strings, &QtStringPropertyManager::valueChanged);
    QSignalSpy eSpy(&enums, &QtEnumPropertyManager::valueChanged);
    QSignalSpy iChanged(&ints, &QtAbstractPropertyManager::propertyChanged);

    // The initial values again: nothing happens.
    bools.setValue(b, false);
    bools.setValue(b, false, QString(), QString());
    ints.setValue(i, 0);
    doubles.setValue(d, 0.0);
    strings.setValue(s, QString());
    enums.setValue(e, 0);
    QCOMPARE(bSpy.count() + iSpy.count() + dSpy.count() + sSpy.count() + eSpy.count(), 0);
    QCOMPARE(iChanged.count(), 0);

    for (int round = 0; round < 2; ++round) {
        bools.setValue(b, true);
        ints.setValue(i, 42);
        doubles.setValue(d, 0.5);
        strings.setValue(s, "x");
        enums.setValue(e, 2);
    }
    QCOMPARE(bSpy.count(), 1);
    QCOMPARE(iSpy.count(), 1);
    QCOMPARE(dSpy.count(), 1);
    QCOMPARE(sSpy.count(), 1);
    QCOMPARE(eSpy.count(), 1);
    QCOMPARE(iChanged.count(), 1);
    QCOMPARE(iSpy.first().at(0).value<QtProperty *>(), i);
    QCOMPARE(iSpy.first().at(1).toInt(), 42);
    QCOMPARE(sSpy.first().at(1).toString(), QString("x"));
    QCOMPARE(eSpy.first().at(1).toInt(), 2);

    // A property of another manager is not touched.
    ints.setValue(b, 7);
    QCOMPARE(ints.value(b), 0);
    QCOMPARE(iSpy.count(), 1);
}

void TestPropertyBrowser::enumOutOfRangeIgnored_data()
{
    QTest::addColumn<int>("index");
    QTest::newRow("negative") << -1;
    QTest::newRow("one past the end") << 3;
    QTest::newRow("far beyond") << 1000;
}

void TestPropertyBrowser::enumOutOfRangeIgnored()
{
    QFETCH(int, index);
    QtEnumPropertyManager manager;
    QtProperty *p = manager.addProperty("p");
    manager.setEnumNames(p, {"mm", "cm", "inch"});
    manager.setValue(p, 1);
    QSignalSpy values(&manager, &QtEnumPropertyManager::valueChanged);
    QSignalSpy changes(&manager, &QtAbstractPropertyManager::propertyChanged);

    manager.setValue(p, index);
    QCOMPARE(manager.value(p), 1);
    QCOMPARE(p->valueText(), QString("cm"));
    QCOMPARE(values.count(), 0);
    QCOMPARE(changes.count(), 0);
}

void TestPropertyBrowser::enumNewNamesSelectFirstEntry()
{
    QtEnumPropertyManager manager;
    QtProperty *p = manager.addProperty("p");
    QCOMPARE(manager.value(p), -1);
    manager.setValue(p, 0);
    QCOMPARE(manager.value(p), -1);

    manager.setEnumNames(p, {"a", "b", "c", "d"});
    QCOMPARE(manager.value(p), 0);
    manager.setValue(p, 3);

    QSignalSpy names(&manager, &QtEnumPropertyManager::enumNamesChanged);
    QSignalSpy values(&manager, &QtEnumPropertyManager::valueChanged);
    manager.setEnumNames(p, {"a", "b", "c"});
    QCOMPARE(names.count(), 1);
    QCOMPARE(manager.value(p), 0);
    QCOMPARE(values.count(), 1);
    QCOMPARE(p->valueText(), QString("a"));

    // The same list again changes nothing.
    manager.setEnumNames(p, {"a", "b", "c"});
    QCOMPARE(names.count(), 1);

    manager.setEnumNames(p, {});
    QCOMPARE(manager.value(p), -1);
    QCOMPARE(p->valueText(), QString());
}

void TestPropertyBrowser::boolTwoTexts_data()
{
    QTest::addColumn<bool>("value");
    QTest::addColumn<QString>("trueText");
    QTest::addColumn<QString>("falseText");
    QTest::addColumn<QString>("expected");

    QTest::newRow("true shows true text") << true << "On" << "Off" << "On";
    QTest::newRow("false shows false text") << false << "On" << "Off" << "Off";
    QTest::newRow("empty texts stay empty") << true << "" << "" << "";
    QTest::newRow("only false text") << false << "" << "inactive" << "inactive";
}

void TestPropertyBrowser::boolTwoTexts()
{
    QFETCH(bool, value);
    QFETCH(QString, trueText);
    QFETCH(QString, falseText);
    QFETCH(QString, expected);

    QtBoolPropertyManager manager;
    QtProperty *p = manager.addProperty("p");
    QCOMPARE(p->valueText(), QString("False"));

    QSignalSpy values(&manager, &QtBoolPropertyManager::valueChanged);
    manager.setValue(p, value, trueText, falseText);
    QCOMPARE(manager.value(p), value);
    QCOMPARE(p->valueText(), expected);
    QCOMPARE(values.count(), value ? 1 : 0);

    // The plain setter keeps the texts given before.
    manager.setValue(p, !value);
    QCOMPARE(p->valueText(), value ? falseText : trueText);

    // New texts alone are a visible change but not a value change.
    QSignalSpy changes(&manager, &QtAbstractPropertyManager::propertyChanged);
    const int before = values.count();
    manager.setValue(p, !value, trueText + "!", falseText + "!");
    QCOMPARE(values.count(), before);
    QCOMPARE(changes.count(), 1);
}

void TestPropertyBrowser::stringRegExpRejects()
{
    QtStringPropertyManager manager;
    QtProperty *p = manager.addProperty("p");
    manager.setValue(p, "12");
    manager.setRegExp(p, QRegExp("[0-9]{0,3}"));
    QSignalSpy values(&manager, &QtStringPropertyManager::valueChanged);

    manager.setValue(p, "abc");
    manager.setValue(p, "1234");
    QCOMPARE(manager.value(p), QString("12"));
    QCOMPARE(values.count(), 0);
    manager.setValue(p, "987");
    QCOMPARE(manager.value(p), QString("987"));
    QCOMPARE(values.count(), 1);
}

void TestPropertyBrowser::propertyIdRoundTrip_data()
{
    QTest::addColumn<QString>("id");
    QTest::newRow("ascii") << "SwitchPoint1";
    QTest::newRow("non-latin") << QString::fromUtf8("Schaltpunkt\u00e4\u20ac");
    QTest::newRow("empty") << QString();
}

void TestPropertyBrowser::propertyIdRoundTrip()
{
    QFETCH(QString, id);
    QtGroupPropertyManager groups;
    QtIntPropertyManager ints;
    QtProperty *parent = groups.addProperty("parent");
    QtProperty *p = ints.addProperty("Caption");
    QCOMPARE(p->propertyId(), QString());

    p->setPropertyId(id);
    QCOMPARE(p->propertyId(), id);
    QCOMPARE(p->propertyName(), QString("Caption"));

    // Renaming and re-parenting keep the id.
    p->setPropertyName("Other");
    parent->addSubProperty(p);
    parent->removeSubProperty(p);
    QCOMPARE(p->propertyId(), id);
}

void TestPropertyBrowser::subPropertyInsertionReachesBrowser()
{
    QtGroupPropertyManager groups;
    QtIntPropertyManager ints;
    QtTreePropertyBrowser browser;
    QtProperty *root = groups.addProperty("root");
    QtProperty *a = ints.addProperty("a");
    QtProperty *c = ints.addProperty("c");
    root->addSubProperty(a);
    root->addSubProperty(c);
    QtBrowserItem *rootItem = browser.addProperty(root);
    QVERIFY(rootItem);
    QCOMPARE(itemNames(rootItem->children()), QStringList({"a", "c"}));

    // Inserted between, at the front, and appended, all after the fact.
    QtProperty *b = ints.addProperty("b");
    QtProperty *first = ints.addProperty("first");
    QtProperty *last = groups.addProperty("last");
    root->insertSubProperty(b, a);
    root->insertSubProperty(first, nullptr);
    root->addSubProperty(last);
    QtProperty *deep = ints.addProperty("deep");
    last->addSubProperty(deep);

    const QStringList expected = {"first", "a", "b", "c", "last"};
    QCOMPARE(itemNames(rootItem->children()), expected);
    QTreeWidget *tree = browser.treeWidget();
    QCOMPARE(tree->topLevelItemCount(), 1);
    QCOMPARE(rowNames(tree, tree->topLevelItem(0)), expected);
    QCOMPARE(rowNames(tree, tree->topLevelItem(0)->child(4)), QStringList({"deep"}));

    QCOMPARE(browser.items(deep).size(), 1);
    QtBrowserItem *deepItem = browser.items(deep).first();
    QCOMPARE(deepItem->parent()->property(), last);
    QCOMPARE(deepItem->parent()->parent(), rootItem);
    QCOMPARE(deepItem->browser(), &browser);
    QCOMPARE(browser.topLevelItem(root), rootItem);
    QVERIFY(!browser.topLevelItem(deep));
}

void TestPropertyBrowser::subPropertyRemovalRemovesRows()
{
    QtGroupPropertyManager groups;
    QtIntPropertyManager ints;
    QtTreePropertyBrowser browser;
    QtProperty *root = groups.addProperty("root");
    QtProperty *group = groups.addProperty("group");
    QtProperty *x = ints.addProperty("x");
    QtProperty *y = ints.addProperty("y");
    QtProperty *z = ints.addProperty("z");
    root->addSubProperty(group);
    group->addSubProperty(x);
    group->addSubProperty(y);
    root->addSubProperty(z);
    browser.addProperty(root);
    QTreeWidget *tree = browser.treeWidget();
    QSignalSpy removed(&groups, &QtAbstractPropertyManager::propertyRemoved);

    group->removeSubProperty(x);
    QCOMPARE(removed.count(), 1);
    QVERIFY(browser.items(x).isEmpty());
    QCOMPARE(rowNames(tree, tree->topLevelItem(0)->child(0)), QStringList({"y"}));

    // Removing a group takes its whole subtree out of the browser.
    root->removeSubProperty(group);
    QVERIFY(browser.items(group).isEmpty());
    QVERIFY(browser.items(y).isEmpty());
    QCOMPARE(rowNames(tree, tree->topLevelItem(0)), QStringList({"z"}));
    // The properties themselves live on, still nested.
    QCOMPARE(group->subProperties(), QList<QtProperty *>({y}));

    // Removing something that is not a child changes nothing.
    root->removeSubProperty(x);
    QCOMPARE(removed.count(), 2);

    browser.removeProperty(root);
    QCOMPARE(tree->topLevelItemCount(), 0);
    QVERIFY(browser.items(z).isEmpty());
    QVERIFY(browser.properties().isEmpty());
}

void TestPropertyBrowser::propertyUnderTwoParents()
{
    QtGroupPropertyManager groups;
    QtIntPropertyManager ints;
    QtTreePropertyBrowser browser;
    QtProperty *left = groups.addProperty("left");
    QtProperty *right = groups.addProperty("right");
    QtProperty *shared = ints.addProperty("shared");
    left->addSubProperty(shared);
    right->addSubProperty(shared);
    browser.addProperty(left);
    browser.addProperty(right);
    QCOMPARE(browser.items(shared).size(), 2);

    ints.setValue(shared, 9);
    QTreeWidget *tree = browser.treeWidget();
    QCOMPARE(tree->topLevelItem(0)->child(0)->text(1), QString("9"));
    QCOMPARE(tree->topLevelItem(1)->child(0)->text(1), QString("9"));

    left->removeSubProperty(shared);
    QCOMPARE(browser.items(shared).size(), 1);
    QCOMPARE(browser.items(shared).first()->parent()->property(), right);
    QCOMPARE(tree->topLevelItem(0)->childCount(), 0);
    QCOMPARE(tree->topLevelItem(1)->childCount(), 1);
}

void TestPropertyBrowser::cyclesAndDuplicatesRefused()
{
    QtGroupPropertyManager groups;
    QtProperty *a = groups.addProperty("a");
    QtProperty *b = groups.addProperty("b");
    QtProperty *c = groups.addProperty("c");
    a->addSubProperty(b);
    b->addSubProperty(c);
    QSignalSpy inserted(&groups, &QtAbstractPropertyManager::propertyInserted);

    c->addSubProperty(a);
    a->addSubProperty(a);
    a->addSubProperty(b);
    QCOMPARE(inserted.count(), 0);
    QVERIFY(c->subProperties().isEmpty());
    QCOMPARE(a->subProperties().size(), 1);

    QtTreePropertyBrowser browser;
    QVERIFY(browser.addProperty(a));
    QVERIFY(!browser.addProperty(a));
    QCOMPARE(browser.topLevelItems().size(), 1);
}

void TestPropertyBrowser::destroyedPropertyLeavesBrowser()
{
    QtGroupPropertyManager groups;
    QtIntPropertyManager ints;
    QtTreePropertyBrowser browser;
    QtProperty *root = groups.addProperty("root");
    QtProperty *child = ints.addProperty("child");
    QtProperty *top = ints.addProperty("top");
    root->addSubProperty(child);
    browser.addProperty(root);
    browser.addProperty(top);
    QSignalSpy destroyed(&ints, &QtAbstractPropertyManager::propertyDestroyed);

    delete child;
    QCOMPARE(destroyed.count(), 1);
    QVERIFY(root->subProperties().isEmpty());
    QCOMPARE(browser.treeWidget()->topLevelItem(0)->childCount(), 0);
    QVERIFY(!ints.properties().contains(child));

    delete top;
    QCOMPARE(browser.properties(), QList<QtProperty *>({root}));
    QCOMPARE(browser.treeWidget()->topLevelItemCount(), 1);

    // Deleting a parent leaves its children whole and parentless.
    QtProperty *orphan = ints.addProperty("orphan");
    root->addSubProperty(orphan);
    delete root;
    QVERIFY(browser.properties().isEmpty());
    QCOMPARE(browser.treeWidget()->topLevelItemCount(), 0);
    QtProperty *other = groups.addProperty("other");
    other->addSubProperty(orphan);
    QCOMPARE(other->subProperties(), QList<QtProperty *>({orphan}));
}

void TestPropertyBrowser::topLevelInsertOrder()
{
    QtGroupPropertyManager groups;
    QtTreePropertyBrowser browser;
    QtProperty *a = groups.addProperty("a");
    QtProperty *b = groups.addProperty("b");
    QtProperty *c = groups.addProperty("c");
    QtProperty *d = groups.addProperty("d");
    browser.addProperty(a);
    browser.addProperty(c);
    browser.insertProperty(b, a);
    browser.insertProperty(d, nullptr);
    QCOMPARE(browser.properties(), QList<QtProperty *>({d, a, b, c}));
    QCOMPARE(itemNames(browser.topLevelItems()), QStringList({"d", "a", "b", "c"}));
    QCOMPARE(rowNames(browser.treeWidget()), QStringList({"d", "a", "b", "c"}));

    browser.clear();
    QVERIFY(browser.topLevelItems().isEmpty());
    QCOMPARE(browser.treeWidget()->topLevelItemCount(), 0);
}

void TestPropertyBrowser::itemVisibility()
{
    QtGroupPropertyManager groups;
    QtIntPropertyManager ints;
    QtTreePropertyBrowser browser;
    QtProperty *root = groups.addProperty("root");
    QtProperty *hidden = ints.addProperty("hidden");
    QtProperty *shown = ints.addProperty("shown");
    root->addSubProperty(hidden);
    root->addSubProperty(shown);
    browser.addProperty(root);
    ints.setValue(hidden, 17);

    QtBrowserItem *item = browser.items(hidden).first();
    QVERIFY(browser.isItemVisible(item));
    browser.setItemVisible(item, false);
    QVERIFY(!browser.isItemVisible(item));
    QVERIFY(browser.isItemVisible(browser.items(shown).first()));
    QVERIFY(browser.treeWidget()->topLevelItem(0)->child(0)->isHidden());
    QVERIFY(!browser.treeWidget()->topLevelItem(0)->child(1)->isHidden());

    // Hidden rows still follow their property.
    ints.setValue(hidden, 18);
    QCOMPARE(browser.treeWidget()->topLevelItem(0)->child(0)->text(1), QString("18"));

    browser.setItemVisible(item, true);
    QVERIFY(browser.isItemVisible(item));
}

void TestPropertyBrowser::valueColumnFollowsManager()
{
    QtGroupPropertyManager groups;
    QtEnumPropertyManager enums;
    QtBoolPropertyManager bools;
    QtTreePropertyBrowser browser;
    QtProperty *root = groups.addProperty("Settings");
    QtProperty *unit = enums.addProperty("Unit");
    QtProperty *flag = bools.addProperty("Flag");
    enums.setEnumNames(unit, {"mm", "inch"});
    root->addSubProperty(unit);
    root->addSubProperty(flag);
    browser.addProperty(root);

    QTreeWidget *tree = browser.treeWidget();
    QCOMPARE(tree->columnCount(), 2);
    QCOMPARE(tree->headerItem()->text(0), QString("Property"));
    QCOMPARE(tree->headerItem()->text(1), QString("Value"));

    QTreeWidgetItem *rootRow = tree->topLevelItem(0);
    QCOMPARE(rootRow->text(0), QString("Settings"));
    QCOMPARE(rootRow->text(1), QString());
    QTreeWidgetItem *unitRow = rootRow->child(0);
    QCOMPARE(unitRow->text(1), QString("mm"));
    enums.setValue(unit, 1);
    QCOMPARE(unitRow->text(1), QString("inch"));

    bools.setValue(flag, true, QString(), QString());
    QCOMPARE(rootRow->child(1)->text(1), QString());
    QVERIFY(!rootRow->child(1)->icon(1).isNull());

    unit->setPropertyName("Einheit");
    unit->setToolTip("tip");
    QCOMPARE(unitRow->text(0), QString("Einheit"));
    QCOMPARE(unitRow->toolTip(0), QString("tip"));
}

void TestPropertyBrowser::disabledPropertyGreyedAndNotEditable()
{
    QtGroupPropertyManager groups;
    QtIntPropertyManager ints;
    QtSpinBoxFactory factory;
    QtTreePropertyBrowser browser;
    browser.setFactoryForManager(&ints, &factory);
    QtProperty *root = groups.addProperty("root");
    QtProperty *group = groups.addProperty("group");
    QtProperty *value = ints.addProperty("value");
    QtProperty *inner = ints.addProperty("inner");
    root->addSubProperty(value);
    root->addSubProperty(group);
    group->addSubProperty(inner);
    browser.addProperty(root);
    browser.show();
    QVERIFY(QTest::qWaitForWindowExposed(&browser));

    QTreeWidget *tree = browser.treeWidget();
    QTreeWidgetItem *valueRow = tree->topLevelItem(0)->child(0);
    QTreeWidgetItem *innerRow = tree->topLevelItem(0)->child(1)->child(0);
    value->setEnabled(false);
    QVERIFY(!(valueRow->flags() & Qt::ItemIsEnabled));
    browser.editItem(browser.items(value).first());
    QVERIFY(openEditors<QSpinBox>(browser).isEmpty());

    // A disabled group disables what is below it, and gives it back.
    group->setEnabled(false);
    QVERIFY(!(innerRow->flags() & Qt::ItemIsEnabled));
    QVERIFY(inner->isEnabled());
    group->setEnabled(true);
    QVERIFY(innerRow->flags() & Qt::ItemIsEnabled);

    value->setEnabled(true);
    QVERIFY(valueRow->flags() & Qt::ItemIsEnabled);
    browser.editItem(browser.items(value).first());
    QCOMPARE(openEditors<QSpinBox>(browser).size(), 1);
}

void TestPropertyBrowser::currentItemKeptInStep()
{
    QtGroupPropertyManager groups;
    QtTreePropertyBrowser browser;
    QtProperty *root = groups.addProperty("root");
    QtProperty *a = groups.addProperty("a");
    QtProperty *b = groups.addProperty("b");
    root->addSubProperty(a);
    root->addSubProperty(b);
    browser.addProperty(root);
    QSignalSpy current(&browser, &QtAbstractPropertyBrowser::currentItemChanged);
    QTreeWidget *tree = browser.treeWidget();

    QtBrowserItem *aItem = browser.items(a).first();
    browser.setCurrentItem(aItem);
    QCOMPARE(browser.currentItem(), aItem);
    QCOMPARE(tree->currentItem(), tree->topLevelItem(0)->child(0));
    QCOMPARE(current.count(), 1);
    browser.setCurrentItem(aItem);
    QCOMPARE(current.count(), 1);

    // A selection in the view reaches the browser.
    tree->setCurrentItem(tree->topLevelItem(0)->child(1));
    QCOMPARE(browser.currentItem(), browser.items(b).first());
    QCOMPARE(current.count(), 2);
    QCOMPARE(current.last().first().value<QtBrowserItem *>(), browser.items(b).first());

    // The current item never outlives its row.
    root->removeSubProperty(b);
    QtBrowserItem *now = browser.currentItem();
    QVERIFY(!now || browser.items(now->property()).contains(now));
    browser.removeProperty(root);
    QCOMPARE(browser.currentItem(), nullptr);
}

void TestPropertyBrowser::expandCollapseSignals()
{
    QtGroupPropertyManager groups;
    QtTreePropertyBrowser browser;
    QtProperty *root = groups.addProperty("root");
    root->addSubProperty(groups.addProperty("child"));
    QtBrowserItem *item = browser.addProperty(root);
    QSignalSpy collapsed(&browser, &QtTreePropertyBrowser::collapsed);
    QSignalSpy expanded(&browser, &QtTreePropertyBrowser::expanded);

    QVERIFY(browser.isExpanded(item));
    browser.setExpanded(item, false);
    QVERIFY(!browser.isExpanded(item));
    QCOMPARE(collapsed.count(), 1);
    QCOMPARE(collapsed.first().first().value<QtBrowserItem *>(), item);
    browser.setExpanded(item, true);
    QCOMPARE(expanded.count(), 1);
}

void TestPropertyBrowser::factoryEditorsWriteBack()
{
    QWidget parent;
    QtIntPropertyManager ints;
    QtDoublePropertyManager doubles;
    QtStringPropertyManager strings;
    QtEnumPropertyManager enums;
    QtBoolPropertyManager bools;
    QtSpinBoxFactory spinFactory;
    QtDoubleSpinBoxFactory doubleFactory;
    QtLineEditFactory lineFactory;
    QtEnumEditorFactory enumFactory;
    QtCheckBoxFactory checkFactory;
    spinFactory.addPropertyManager(&ints);
    doubleFactory.addPropertyManager(&doubles);
    lineFactory.addPropertyManager(&strings);
    enumFactory.addPropertyManager(&enums);
    checkFactory.addPropertyManager(&bools);

    QtProperty *i = ints.addProperty("i");
    ints.setRange(i, 0, 100);
    QtAbstractEditorFactoryBase *base = &spinFactory;
    auto *spin = qobject_cast<QSpinBox *>(base->createEditor(i, &parent));
    QVERIFY(spin);
    spin->setValue(40);
    QCOMPARE(ints.value(i), 40);
    ints.setValue(i, 60);
    QCOMPARE(spin->value(), 60);
    // A property of a manager the factory does not serve gets no editor.
    QtProperty *d = doubles.addProperty("d");
    QVERIFY(!base->createEditor(d, &parent));

    base = &doubleFactory;
    auto *doubleSpin = qobject_cast<QDoubleSpinBox *>(base->createEditor(d, &parent));
    QVERIFY(doubleSpin);
    QCOMPARE(doubleSpin->decimals(), 2);
    doubleSpin->setValue(1.25);
    QCOMPARE(doubles.value(d), 1.25);
    doubles.setValue(d, -3.5);
    QCOMPARE(doubleSpin->value(), -3.5);

    QtProperty *s = strings.addProperty("s");
    base = &lineFactory;
    auto *line = qobject_cast<QLineEdit *>(base->createEditor(s, &parent));
    QVERIFY(line);
    QTest::keyClicks(line, "abc");
    QCOMPARE(strings.value(s), QString("abc"));
    strings.setValue(s, "xyz");
    QCOMPARE(line->text(), QString("xyz"));

    QtProperty *e = enums.addProperty("e");
    enums.setEnumNames(e, {"a", "b", "c"});
    base = &enumFactory;
    auto *combo = qobject_cast<QComboBox *>(base->createEditor(e, &parent));
    QVERIFY(combo);
    QCOMPARE(combo->count(), 3);
    combo->setCurrentIndex(2);
    QCOMPARE(enums.value(e), 2);
    enums.setValue(e, 1);
    QCOMPARE(combo->currentIndex(), 1);

    QtProperty *b = bools.addProperty("b");
    base = &checkFactory;
    auto *check = qobject_cast<QCheckBox *>(base->createEditor(b, &parent));
    QVERIFY(check);
    check->click();
    QVERIFY(bools.value(b));
    bools.setValue(b, false);
    QVERIFY(!check->isChecked());

    // Two editors of one property stay in step through the manager.
    base = &spinFactory;
    auto *second = qobject_cast<QSpinBox *>(base->createEditor(i, &parent));
    QVERIFY(second);
    QCOMPARE(second->value(), 60);
    second->setValue(7);
    QCOMPARE(spin->value(), 7);

    // A destroyed editor is forgotten; the other one still follows.
    delete spin;
    ints.setValue(i, 8);
    QCOMPARE(second->value(), 8);
}

void TestPropertyBrowser::editorsFollowRangeAndNames()
{
    QWidget parent;
    QtIntPropertyManager ints;
    QtEnumPropertyManager enums;
    QtStringPropertyManager strings;
    QtSpinBoxFactory spinFactory;
    QtEnumEditorFactory enumFactory;
    QtLineEditFactory lineFactory;
    spinFactory.addPropertyManager(&ints);
    enumFactory.addPropertyManager(&enums);
    lineFactory.addPropertyManager(&strings);

    QtProperty *i = ints.addProperty("i");
    ints.setRange(i, 0, 50);
    ints.setValue(i, 40);
    QtAbstractEditorFactoryBase *base = &spinFactory;
    auto *spin = qobject_cast<QSpinBox *>(base->createEditor(i, &parent));
    QVERIFY(spin);
    ints.setRange(i, 0, 30);
    QCOMPARE(spin->maximum(), 30);
    QCOMPARE(spin->value(), 30);
    QCOMPARE(ints.value(i), 30);
    ints.setSingleStep(i, 5);
    QCOMPARE(spin->singleStep(), 5);

    QtProperty *e = enums.addProperty("e");
    enums.setEnumNames(e, {"a", "b", "c"});
    base = &enumFactory;
    auto *combo = qobject_cast<QComboBox *>(base->createEditor(e, &parent));
    QVERIFY(combo);
    enums.setEnumNames(e, {"x", "y"});
    QCOMPARE(combo->count(), 2);
    QCOMPARE(combo->itemText(1), QString("y"));
    QCOMPARE(combo->currentIndex(), 0);
    QCOMPARE(enums.value(e), 0);

    QtProperty *s = strings.addProperty("s");
    strings.setRegExp(s, QRegExp("[0-9]*"));
    base = &lineFactory;
    auto *line = qobject_cast<QLineEdit *>(base->createEditor(s, &parent));
    QVERIFY(line);
    QTest::keyClicks(line, "1a2");
    QCOMPARE(strings.value(s), QString("12"));
}

void TestPropertyBrowser::editorOnlyWhileEditing()
{
    QtGroupPropertyManager groups;
    QtIntPropertyManager ints;
    QtSpinBoxFactory factory;
    QtTreePropertyBrowser browser;
    browser.setFactoryForManager(&ints, &factory);
    QtProperty *root = groups.addProperty("root");
    QList<QtProperty *> values;
    for (int n = 0; n < 5; ++n) {
        QtProperty *p = ints.addProperty(QString("v%1").arg(n));
        ints.setRange(p, 0, 100);
        ints.setValue(p, n * 10);
        root->addSubProperty(p);
        values << p;
    }
    browser.addProperty(root);
    browser.show();
    QVERIFY(QTest::qWaitForWindowExposed(&browser));
    QVERIFY(openEditors<QSpinBox>(browser).isEmpty());

    browser.editItem(browser.items(values.at(2)).first());
    QList<QSpinBox *> editors = openEditors<QSpinBox>(browser);
    QCOMPARE(editors.size(), 1);
    QCOMPARE(editors.first()->value(), 20);
    editors.first()->setValue(55);
    QCOMPARE(ints.value(values.at(2)), 55);
    QCOMPARE(browser.treeWidget()->topLevelItem(0)->child(2)->text(1), QString("55"));

    // Moving on closes the editor; group rows get none.
    browser.setCurrentItem(browser.items(values.at(4)).first());
    flushDeletes();
    QVERIFY(openEditors<QSpinBox>(browser).isEmpty());
    browser.editItem(browser.topLevelItem(root));
    flushDeletes();
    QCOMPARE(browser.treeWidget()->viewport()->findChildren<QWidget *>().size(), 0);

    // Removing the edited row takes its editor with it.
    browser.editItem(browser.items(values.at(1)).first());
    QCOMPARE(openEditors<QSpinBox>(browser).size(), 1);
    root->removeSubProperty(values.at(1));
    flushDeletes();
    QVERIFY(openEditors<QSpinBox>(browser).isEmpty());
}

void TestPropertyBrowser::clickIntoValueColumnEdits()
{
    QtGroupPropertyManager groups;
    QtEnumPropertyManager enums;
    QtEnumEditorFactory factory;
    QtTreePropertyBrowser browser;
    browser.setFactoryForManager(&enums, &factory);
    QtProperty *root = groups.addProperty("root");
    QtProperty *first = enums.addProperty("first");
    QtProperty *second = enums.addProperty("second");
    enums.setEnumNames(first, {"a", "b"});
    enums.setEnumNames(second, {"c", "d"});
    root->addSubProperty(first);
    root->addSubProperty(second);
    browser.addProperty(root);
    browser.resize(400, 300);
    browser.show();
    QVERIFY(QTest::qWaitForWindowExposed(&browser));

    QTreeWidget *tree = browser.treeWidget();
    QTreeWidgetItem *firstRow = tree->topLevelItem(0)->child(0);
    QTreeWidgetItem *secondRow = tree->topLevelItem(0)->child(1);

    // A click on the name selects without editing.
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {},
                      tree->visualItemRect(firstRow).topLeft() + QPoint(30, 5));
    QCOMPARE(browser.currentItem(), browser.items(first).first());
    QVERIFY(openEditors<QComboBox>(browser).isEmpty());

    // A click into the value column opens that row's editor only.
    const QRect valueCell = tree->visualRect(tree->model()->index(1, 1, tree->model()->index(0, 0)));
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, valueCell.center());
    QCOMPARE(browser.currentItem(), browser.items(second).first());
    QList<QComboBox *> editors = openEditors<QComboBox>(browser);
    QCOMPARE(editors.size(), 1);
    QCOMPARE(editors.first()->currentText(), QString("c"));
    editors.first()->setCurrentIndex(1);
    QCOMPARE(enums.value(second), 1);
    QCOMPARE(secondRow->text(1), QString("d"));

    // Return on the current row edits it as well.
    browser.setCurrentItem(browser.items(first).first());
    flushDeletes();
    QVERIFY(openEditors<QComboBox>(browser).isEmpty());
    tree->setFocus();
    QTest::keyClick(tree, Qt::Key_Return);
    editors = openEditors<QComboBox>(browser);
    QCOMPARE(editors.size(), 1);
    QCOMPARE(editors.first()->currentText(), QString("a"));
}

void TestPropertyBrowser::laterFactoryReplacesEarlier()
{
    QtStringPropertyManager strings;
    QtLineEditFactory first;
    QtLineEditFactory second;
    QtTreePropertyBrowser browser;
    QtProperty *s = strings.addProperty("s");
    browser.setFactoryForManager(&strings, &first);
    QCOMPARE(first.propertyManagers().size(), 1);
    browser.setFactoryForManager(&strings, &second);
    QVERIFY(first.propertyManagers().isEmpty());
    QCOMPARE(second.propertyManagers().size(), 1);

    browser.addProperty(s);
    browser.show();
    QVERIFY(QTest::qWaitForWindowExposed(&browser));
    browser.editItem(browser.topLevelItem(s));
    QList<QLineEdit *> editors = openEditors<QLineEdit>(browser);
    QCOMPARE(editors.size(), 1);
    // Only the factory in charge keeps its editors in step.
    strings.setValue(s, "new");
    QCOMPARE(editors.first()->text(), QString("new"));

    browser.unsetFactoryForManager(&strings);
    QVERIFY(second.propertyManagers().isEmpty());
}

void TestPropertyBrowser::managerDestroyedWhileShown()
{
    QtGroupPropertyManager groups;
    auto ints = std::make_unique<QtIntPropertyManager>();
    QtSpinBoxFactory factory;
    QtTreePropertyBrowser browser;
    browser.setFactoryForManager(ints.get(), &factory);
    QtProperty *root = groups.addProperty("root");
    QtProperty *p = ints->addProperty("p");
    root->addSubProperty(p);
    browser.addProperty(root);
    browser.addProperty(ints->addProperty("top"));
    QCOMPARE(browser.treeWidget()->topLevelItemCount(), 2);

    ints.reset();
    QCOMPARE(browser.treeWidget()->topLevelItemCount(), 1);
    QCOMPARE(browser.treeWidget()->topLevelItem(0)->childCount(), 0);
    QVERIFY(root->subProperties().isEmpty());
    QVERIFY(factory.propertyManagers().isEmpty());

    // The factory may go first too; the browser keeps working.
    auto strings = std::make_unique<QtStringPropertyManager>();
    {
        QtLineEditFactory lines;
        browser.setFactoryForManager(strings.get(), &lines);
    }
    QtProperty *s = strings->addProperty("s");
    browser.addProperty(s);
    browser.editItem(browser.topLevelItem(s));
    QVERIFY(openEditors<QLineEdit>(browser).isEmpty());
}

void TestPropertyBrowser::manyPropertiesKeepOrder()
{
    QtGroupPropertyManager groups;
    QtIntPropertyManager ints;
    QtTreePropertyBrowser browser;
    browser.setResizeMode(QtTreePropertyBrowser::ResizeToContents);
    QtProperty *root = groups.addProperty("root");
    browser.addProperty(root);
    browser.show();
    QVERIFY(QTest::qWaitForWindowExposed(&browser));

    // Added while the root is shown, the way the parameter tree is built.
    constexpr int count = 1000;
    QElapsedTimer timer;
    timer.start();
    for (int n = 0; n < count; ++n) {
        QtProperty *p = ints.addProperty(QString::number(n));
        p->setPropertyId(QString("id%1").arg(n));
        ints.setRange(p, 0, count);
        ints.setValue(p, n);
        root->addSubProperty(p);
    }
    QCoreApplication::processEvents();
    qInfo("adding %d properties to a shown tree: %lld ms", count, timer.elapsed());

    QTreeWidgetItem *rootRow = browser.treeWidget()->topLevelItem(0);
    QCOMPARE(rootRow->childCount(), count);
    const QList<QtBrowserItem *> children = browser.topLevelItem(root)->children();
    QCOMPARE(children.size(), count);
    for (int n = 0; n < count; n += 97) {
        QCOMPARE(rootRow->child(n)->text(0), QString::number(n));
        QCOMPARE(rootRow->child(n)->text(1), QString::number(n));
        QCOMPARE(children.at(n)->property()->propertyId(), QString("id%1").arg(n));
    }
}

QTEST_MAIN(TestPropertyBrowser)
#include "tst_propertybrowser.moc"
