#include "qteditorfactory.h"
#include "qtpropertybrowser.h"
#include "qtpropertymanager.h"
#include "qttreepropertybrowser.h"

#include <QComboBox>
#include <QDoubleSpinBox>
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
    for (int i = 0; i < count; ++i)
        names << (parent ? parent->child(i) : tree->topLevelItem(i))->text(0);
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

// A browser with a root group, the managers most tests need, and spin boxes
// for the int properties.
struct Browser
{
    Browser() { browser.setFactoryForManager(&ints, &spinBoxes); }

    QtProperty *group(const QString &name, QtProperty *parent)
    {
        QtProperty *p = groups.addProperty(name);
        parent->addSubProperty(p);
        return p;
    }

    QtProperty *number(const QString &name, QtProperty *parent, int value = 0)
    {
        QtProperty *p = ints.addProperty(name);
        ints.setValue(p, value);
        parent->addSubProperty(p);
        return p;
    }

    QtBrowserItem *item(QtProperty *p) const { return browser.items(p).value(0); }

    QTreeWidgetItem *row(const QString &name) const
    {
        return tree->findItems(name, Qt::MatchExactly | Qt::MatchRecursive).value(0);
    }

    bool show()
    {
        browser.resize(400, 300);
        browser.show();
        return QTest::qWaitForWindowExposed(&browser);
    }

    QtGroupPropertyManager groups;
    QtIntPropertyManager ints;
    QtSpinBoxFactory spinBoxes;
    QtTreePropertyBrowser browser;
    QTreeWidget *const tree = browser.treeWidget();
    QtProperty *const root = groups.addProperty("root");
};

// One property of any value manager, with the factory for its editors, set
// through QVariant so that one test body serves every kind.
struct AnyProperty
{
    explicit AnyProperty(const QString &kind)
    {
        if (kind == "bool")
            make<QtBoolPropertyManager, QtCheckBoxFactory>();
        else if (kind == "int")
            make<QtIntPropertyManager, QtSpinBoxFactory>()->setRange(property, 0, 100);
        else if (kind == "double")
            make<QtDoublePropertyManager, QtDoubleSpinBoxFactory>();
        else if (kind == "enum")
            make<QtEnumPropertyManager, QtEnumEditorFactory>()->setEnumNames(property, {"a", "b", "c"});
        else if (kind == "string")
            make<QtStringPropertyManager, QtLineEditFactory>();
        else if (kind == "digits")
            make<QtStringPropertyManager, QtLineEditFactory>()->setRegExp(property, QRegExp("[0-9]{0,3}"));
        values->clear();
    }

    template <class Manager>
    Manager *as() const { return qobject_cast<Manager *>(manager.get()); }

    // False when the value's type is not the manager's.
    bool set(const QVariant &v) const
    {
        return QMetaObject::invokeMethod(manager.get(), "setValue", Q_ARG(QtProperty *, property),
                                         QGenericArgument(v.typeName(), v.constData()));
    }

    std::unique_ptr<QtAbstractPropertyManager> manager;
    std::unique_ptr<QtAbstractEditorFactoryBase> factory;
    std::unique_ptr<QSignalSpy> values;
    QtProperty *property = nullptr;

private:
    template <class Manager, class Factory>
    Manager *make()
    {
        auto typed = std::make_unique<Manager>();
        auto editors = std::make_unique<Factory>();
        editors->addPropertyManager(typed.get());
        values = std::make_unique<QSignalSpy>(typed.get(), &Manager::valueChanged);
        property = typed->addProperty("p");
        factory = std::move(editors);
        manager = std::move(typed);
        return as<Manager>();
    }
};

// What an editor shows; a combo box by index, as its manager counts.
QVariant editorValue(const QWidget *editor)
{
    if (auto *combo = qobject_cast<const QComboBox *>(editor))
        return combo->currentIndex();
    return editor->metaObject()->userProperty().read(editor);
}

// Changes an editor the way a user would.
void edit(QWidget *editor, const QVariant &value)
{
    if (auto *line = qobject_cast<QLineEdit *>(editor)) {
        line->selectAll();
        QTest::keyClicks(line, value.toString());
    } else if (auto *combo = qobject_cast<QComboBox *>(editor)) {
        combo->setCurrentIndex(value.toInt());
    } else {
        editor->metaObject()->userProperty().write(editor, value);
    }
}

// The int and double managers keep one set of rules for their range.
template <class Manager, typename T>
void checkRange()
{
    QFETCH(double, initial);
    QFETCH(QString, call);
    QFETCH(double, a);
    QFETCH(double, b);
    QFETCH(double, minimum);
    QFETCH(double, maximum);
    QFETCH(double, afterCall);
    QFETCH(double, set);
    QFETCH(double, afterSet);

    Manager manager;
    QtProperty *p = manager.addProperty("p");
    if (call != "setRange")
        manager.setRange(p, 0, 10); // an end that the other one can drag along
    manager.setValue(p, T(initial));
    const bool rangeMoves = minimum != manager.minimum(p) || maximum != manager.maximum(p);
    QSignalSpy values(&manager, &Manager::valueChanged);
    QSignalSpy ranges(&manager, &Manager::rangeChanged);

    if (call == "setRange")
        manager.setRange(p, T(a), T(b));
    else if (call == "setMinimum")
        manager.setMinimum(p, T(a));
    else
        manager.setMaximum(p, T(a));
    QCOMPARE(double(manager.minimum(p)), minimum);
    QCOMPARE(double(manager.maximum(p)), maximum);
    QCOMPARE(double(manager.value(p)), afterCall);
    QCOMPARE(ranges.count(), rangeMoves ? 1 : 0);
    QCOMPARE(values.count(), afterCall != initial ? 1 : 0);
    if (!values.isEmpty())
        QCOMPARE(values.first().at(1).value<T>(), T(afterCall));

    values.clear();
    manager.setValue(p, T(set));
    QCOMPARE(double(manager.value(p)), afterSet);
    QCOMPARE(values.count(), afterSet != afterCall ? 1 : 0);
}

} // namespace

class TestPropertyBrowser : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void numericRange_data();
    void numericRange();
    void valueChangedOnlyOnRealChange_data();
    void valueChangedOnlyOnRealChange();
    void boolTwoTexts();

    void subPropertyChangesReachBrowser_data();
    void subPropertyChangesReachBrowser();
    void cyclesAndDuplicatesRefused();
    void rowsFollowTheirProperty();
    void viewAndBrowserInStep();
    void destroyedPropertyLeavesBrowser();

    void editorsWriteBack_data();
    void editorsWriteBack();
    void editorsFollowTheirManager();
    void editingInTheBrowser();
    void factoriesAndManagersComeAndGo();
};

void TestPropertyBrowser::initTestCase()
{
    qRegisterMetaType<QtProperty *>();
    qRegisterMetaType<QtBrowserItem *>();
    QLocale::setDefault(QLocale::c());
}

void TestPropertyBrowser::numericRange_data()
{
    QTest::addColumn<bool>("isInt");
    QTest::addColumn<double>("initial");
    QTest::addColumn<QString>("call");
    QTest::addColumn<double>("a");
    QTest::addColumn<double>("b");
    QTest::addColumn<double>("minimum");
    QTest::addColumn<double>("maximum");
    QTest::addColumn<double>("afterCall");
    QTest::addColumn<double>("set");
    QTest::addColumn<double>("afterSet");

    // setMinimum and setMaximum take a only.
    const auto row = [](const char *name, bool isInt, double initial, const char *call, double a,
                        double b, double min, double max, double afterCall, double set,
                        double afterSet) {
        QTest::newRow(name) << isInt << initial << QString(call) << a << b << min << max
                            << afterCall << set << afterSet;
    };
    row("int above moves to max", true, 50, "setRange", 0, 10, 0, 10, 10, 20, 10);
    row("int below moves to min", true, -5, "setRange", 0, 10, 0, 10, 0, -100, 0);
    row("int reversed range", true, 50, "setRange", 10, 0, 0, 10, 10, -1, 0);
    row("int full range", true, 0, "setRange", INT_MIN, INT_MAX, INT_MIN, INT_MAX, 0, INT_MIN, INT_MIN);
    row("int minimum inside", true, 5, "setMinimum", 6, 0, 6, 10, 6, 8, 8);
    row("int minimum drags maximum", true, 5, "setMinimum", 20, 0, 20, 20, 20, 7, 20);
    row("int maximum drags minimum", true, 5, "setMaximum", -3, 0, -3, -3, -3, 7, -3);
    row("double above max", false, 0, "setRange", 0, 1e5, 0, 1e5, 0, 150000.5, 1e5);
    row("double below moves to min", false, 0, "setRange", 1, 5, 1, 5, 1, -7.25, 1);
    row("double reversed range", false, 2, "setRange", 1.5, -1.5, -1.5, 1.5, 1.5, -2, -1.5);
    row("double maximum inside", false, 5, "setMaximum", 8.5, 0, 0, 8.5, 5, 9, 8.5);
    row("double minimum drags maximum", false, 5, "setMinimum", 20.5, 0, 20.5, 20.5, 20.5, 7, 20.5);
    row("double maximum drags minimum", false, 5, "setMaximum", -3.5, 0, -3.5, -3.5, -3.5, 7, -3.5);
}

void TestPropertyBrowser::numericRange()
{
    QFETCH(bool, isInt);
    if (isInt)
        checkRange<QtIntPropertyManager, int>();
    else
        checkRange<QtDoublePropertyManager, double>();
}

void TestPropertyBrowser::valueChangedOnlyOnRealChange_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QVariantList>("sets");
    QTest::addColumn<QVariantList>("reported");
    QTest::addColumn<QString>("text");

    QTest::newRow("bool") << "bool" << QVariantList{false, true, true} << QVariantList{true} << "True";
    QTest::newRow("int") << "int" << QVariantList{0, 42, 42} << QVariantList{42} << "42";
    QTest::newRow("double, not a number ignored")
        << "double" << QVariantList{0.0, 0.5, 0.5, qQNaN()} << QVariantList{0.5} << "0.50";
    QTest::newRow("string against its pattern")
        << "digits" << QVariantList{"", "12", "12", "abc", "1234", "987"} << QVariantList{"12", "987"}
        << "987";
    QTest::newRow("enum, out of range ignored")
        << "enum" << QVariantList{0, 2, 2, -1, 3, 1000} << QVariantList{2} << "c";
}

void TestPropertyBrowser::valueChangedOnlyOnRealChange()
{
    QFETCH(QString, kind);
    QFETCH(QVariantList, sets);
    QFETCH(QVariantList, reported);
    QFETCH(QString, text);

    AnyProperty any(kind);
    QSignalSpy changes(any.manager.get(), &QtAbstractPropertyManager::propertyChanged);
    for (const QVariant &value : qAsConst(sets))
        QVERIFY(any.set(value));
    QVariantList got;
    for (const QList<QVariant> &arguments : qAsConst(*any.values)) {
        QCOMPARE(arguments.at(0).value<QtProperty *>(), any.property);
        got << arguments.at(1);
    }
    QCOMPARE(got, reported);
    QCOMPARE(changes.count(), reported.size());
    QCOMPARE(any.property->valueText(), text);

    // A manager leaves the properties of other managers alone.
    QtIntPropertyManager other;
    other.setValue(any.property, 7);
    QCOMPARE(other.value(any.property), 0);
}

void TestPropertyBrowser::boolTwoTexts()
{
    QtBoolPropertyManager manager;
    QtProperty *p = manager.addProperty("p");
    QSignalSpy values(&manager, &QtBoolPropertyManager::valueChanged);
    manager.setValue(p, true, "On", "Off");
    manager.setValue(p, false); // keeps the texts given before
    QCOMPARE(p->valueText(), QString("Off"));
    // New texts alone are no value change; empty ones stay empty.
    manager.setValue(p, false, "", "");
    QCOMPARE(p->valueText(), QString());
    QCOMPARE(values.count(), 2);
}

void TestPropertyBrowser::subPropertyChangesReachBrowser_data()
{
    QTest::addColumn<QString>("change");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("after");
    QTest::addColumn<QStringList>("rows");

    // The shown root holds a, g (with x and y) and c; n is a new group.
    QTest::newRow("insert at the front") << "insert" << "n" << "" << QStringList{"n", "a", "g", "c"};
    QTest::newRow("insert between") << "insert" << "n" << "a" << QStringList{"a", "n", "g", "c"};
    QTest::newRow("append") << "insert" << "n" << "c" << QStringList{"a", "g", "c", "n"};
    QTest::newRow("remove a leaf") << "remove" << "a" << "" << QStringList{"g", "c"};
    QTest::newRow("remove a subtree") << "remove" << "g" << "" << QStringList{"a", "c"};
    QTest::newRow("remove what is no child") << "remove" << "x" << "" << QStringList{"a", "g", "c"};
}

void TestPropertyBrowser::subPropertyChangesReachBrowser()
{
    QFETCH(QString, change);
    QFETCH(QString, name);
    QFETCH(QString, after);
    QFETCH(QStringList, rows);

    Browser b;
    QtGroupPropertyManager others; // not in the browser before n comes
    QHash<QString, QtProperty *> byName{{"n", others.addProperty("n")}};
    for (const char *child : {"a", "g", "c"})
        byName[child] = b.group(child, b.root);
    for (const char *child : {"x", "y"})
        byName[child] = b.number(child, byName["g"]);
    const QList<QtProperty *> inG = byName["g"]->subProperties();
    QtBrowserItem *rootItem = b.browser.addProperty(b.root);
    QSignalSpy removed(&b.groups, &QtAbstractPropertyManager::propertyRemoved);
    QtProperty *target = byName.value(name);

    if (change == "insert") {
        b.root->insertSubProperty(target, byName.value(after));
        b.number("deep", target);
        QCOMPARE(itemNames(b.item(target)->children()), QStringList{"deep"});
        QCOMPARE(b.row("deep")->parent(), b.row("n"));
    } else {
        const bool removes = QStringList({"a", "g", "c"}).contains(name);
        const QList<QtProperty *> subtree = QList<QtProperty *>{target} + target->subProperties();
        b.root->removeSubProperty(target);
        QCOMPARE(removed.count(), removes ? 1 : 0);
        for (QtProperty *p : subtree)
            QCOMPARE(b.browser.items(p).isEmpty(), removes);
    }
    QCOMPARE(itemNames(rootItem->children()), rows);
    QCOMPARE(rowNames(b.tree, b.row("root")), rows);
    // Properties outlive their rows, still nested.
    QCOMPARE(byName["g"]->subProperties(), inG);
}

void TestPropertyBrowser::cyclesAndDuplicatesRefused()
{
    Browser b;
    QtProperty *child = b.group("child", b.root);
    QtProperty *grandchild = b.group("grandchild", child);
    QSignalSpy inserted(&b.groups, &QtAbstractPropertyManager::propertyInserted);
    grandchild->addSubProperty(b.root);
    b.root->addSubProperty(b.root);
    b.root->addSubProperty(child);
    QCOMPARE(inserted.count(), 0);
    QVERIFY(grandchild->subProperties().isEmpty());
    QCOMPARE(b.root->subProperties().size(), 1);

    QVERIFY(b.browser.addProperty(b.root));
    QVERIFY(!b.browser.addProperty(b.root));
    QCOMPARE(b.tree->topLevelItemCount(), 1);

    // Top-level rows go where they are inserted.
    QtProperty *a = b.groups.addProperty("a");
    b.browser.insertProperty(a, b.root);
    b.browser.insertProperty(b.groups.addProperty("d"), nullptr);
    QCOMPARE(itemNames(b.browser.topLevelItems()), QStringList({"d", "root", "a"}));
    QCOMPARE(rowNames(b.tree), QStringList({"d", "root", "a"}));
    b.browser.removeProperty(b.root);
    QCOMPARE(rowNames(b.tree), QStringList({"d", "a"}));
    b.browser.clear();
    QCOMPARE(b.tree->topLevelItemCount(), 0);
}

void TestPropertyBrowser::rowsFollowTheirProperty()
{
    Browser b;
    QtBoolPropertyManager bools;
    QtProperty *left = b.group("left", b.root);
    QtProperty *right = b.group("right", b.root);
    QtProperty *shared = b.number("shared", left, 3);
    QtProperty *flag = bools.addProperty("flag");
    left->addSubProperty(flag);
    right->addSubProperty(shared);
    b.browser.addProperty(b.root);
    b.browser.addProperty(left); // left is shown twice as well
    QCOMPARE(b.row("left")->text(1), QString());
    QCOMPARE(b.row("shared")->text(1), QString("3"));

    // A property shown more than once updates all its rows.
    QTreeWidgetItem *leftAgain = b.tree->topLevelItem(1);
    b.ints.setValue(shared, 9);
    shared->setPropertyName("renamed");
    shared->setToolTip("tip");
    for (const QTreeWidgetItem *row :
         {b.row("left")->child(0), b.row("right")->child(0), leftAgain->child(0)}) {
        QCOMPARE(row->text(0), QString("renamed"));
        QCOMPARE(row->text(1), QString("9"));
        QCOMPARE(row->toolTip(0), QString("tip"));
    }

    // A truth value without texts reads as a check box, in a hidden row too.
    b.browser.setItemVisible(b.item(flag), false);
    QVERIFY(!b.browser.isItemVisible(b.item(flag)));
    QVERIFY(b.row("flag")->isHidden());
    QVERIFY(!b.row("left")->child(0)->isHidden());
    bools.setValue(flag, true, QString(), QString());
    QCOMPARE(b.row("flag")->text(1), QString());
    QVERIFY(!b.row("flag")->icon(1).isNull());
    b.browser.setItemVisible(b.item(flag), true);
    QVERIFY(!b.row("flag")->isHidden());

    left->removeSubProperty(shared);
    QCOMPARE(b.browser.items(shared).size(), 1);
    QCOMPARE(b.item(shared)->parent()->property(), right);
    QCOMPARE(rowNames(b.tree, b.row("left")), QStringList{"flag"});
    QCOMPARE(rowNames(b.tree, leftAgain), QStringList{"flag"});
    QCOMPARE(rowNames(b.tree, b.row("right")), QStringList{"renamed"});
}

void TestPropertyBrowser::viewAndBrowserInStep()
{
    Browser b;
    QtProperty *first = b.number("first", b.root);
    QtProperty *second = b.number("second", b.root);
    second->setPropertyId(QString::fromUtf8("Schaltpunkt\u00e4"));
    second->setPropertyName("renamed");
    b.browser.addProperty(b.root);
    QSignalSpy current(&b.browser, &QtAbstractPropertyBrowser::currentItemChanged);

    b.browser.setCurrentItem(b.item(first));
    b.browser.setCurrentItem(b.item(first));
    QCOMPARE(b.tree->currentItem(), b.row("first"));
    QCOMPARE(current.count(), 1);

    // The row picked in the view leads back to its property's id.
    b.tree->setCurrentItem(b.row("renamed"));
    QCOMPARE(current.count(), 2);
    QCOMPARE(current.last().first().value<QtBrowserItem *>(), b.browser.currentItem());
    QCOMPARE(b.browser.currentItem()->property()->propertyId(), QString::fromUtf8("Schaltpunkt\u00e4"));

    // Expanding and collapsing go both ways too.
    QtBrowserItem *rootItem = b.browser.topLevelItem(b.root);
    QSignalSpy collapsed(&b.browser, &QtTreePropertyBrowser::collapsed);
    QSignalSpy expanded(&b.browser, &QtTreePropertyBrowser::expanded);
    QVERIFY(b.browser.isExpanded(rootItem));
    b.browser.setExpanded(rootItem, false);
    QVERIFY(!b.row("root")->isExpanded());
    QCOMPARE(collapsed.count(), 1);
    QCOMPARE(collapsed.first().first().value<QtBrowserItem *>(), rootItem);
    b.row("root")->setExpanded(true);
    QVERIFY(b.browser.isExpanded(rootItem));
    QCOMPARE(expanded.count(), 1);

    // The current item never outlives its row.
    b.browser.removeProperty(b.root);
    QCOMPARE(b.browser.currentItem(), nullptr);
}

void TestPropertyBrowser::destroyedPropertyLeavesBrowser()
{
    Browser b;
    QtProperty *child = b.number("child", b.root);
    QtProperty *orphan = b.number("orphan", b.root);
    QtProperty *top = b.ints.addProperty("top");
    b.browser.addProperty(b.root);
    b.browser.addProperty(top);

    delete child;
    QCOMPARE(b.root->subProperties(), QList<QtProperty *>({orphan}));
    QCOMPARE(rowNames(b.tree, b.row("root")), QStringList{"orphan"});
    QVERIFY(!b.ints.properties().contains(child));
    delete top;
    QCOMPARE(rowNames(b.tree), QStringList{"root"});

    // Deleting a parent leaves its children whole and free to join another.
    delete b.root;
    QCOMPARE(b.tree->topLevelItemCount(), 0);
    QtProperty *other = b.groups.addProperty("other");
    other->addSubProperty(orphan);
    QCOMPARE(other->subProperties(), QList<QtProperty *>({orphan}));
}

void TestPropertyBrowser::editorsWriteBack_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QVariant>("typed");
    QTest::addColumn<QVariant>("fromManager");
    QTest::addColumn<QVariant>("typedInSecond");

    QTest::newRow("spin box") << "int" << QVariant(40) << QVariant(60) << QVariant(7);
    QTest::newRow("double spin box") << "double" << QVariant(1.25) << QVariant(-3.5) << QVariant(0.75);
    QTest::newRow("line edit") << "string" << QVariant("abc") << QVariant("xyz") << QVariant("q");
    QTest::newRow("combo box") << "enum" << QVariant(2) << QVariant(1) << QVariant(0);
    QTest::newRow("check box") << "bool" << QVariant(true) << QVariant(false) << QVariant(true);
}

void TestPropertyBrowser::editorsWriteBack()
{
    QFETCH(QString, kind);
    QFETCH(QVariant, typed);
    QFETCH(QVariant, fromManager);
    QFETCH(QVariant, typedInSecond);

    QWidget parent;
    AnyProperty any(kind);
    QWidget *editor = any.factory->createEditor(any.property, &parent);
    QVERIFY(editor);
    edit(editor, typed);
    QVERIFY(!any.values->isEmpty());
    QCOMPARE(any.values->last().at(1), typed);
    QVERIFY(any.set(fromManager));
    QCOMPARE(editorValue(editor), fromManager);

    // Two editors of one property stay in step through the manager, and a
    // destroyed one is forgotten.
    QWidget *second = any.factory->createEditor(any.property, &parent);
    QCOMPARE(editorValue(second), fromManager);
    edit(second, typedInSecond);
    QCOMPARE(editorValue(editor), typedInSecond);
    delete editor;
    QVERIFY(any.set(fromManager));
    QCOMPARE(editorValue(second), fromManager);

    // A property of a manager the factory does not serve gets no editor.
    QtGroupPropertyManager groups;
    QVERIFY(!any.factory->createEditor(groups.addProperty("g"), &parent));
}

void TestPropertyBrowser::editorsFollowTheirManager()
{
    QWidget parent;
    AnyProperty i("int");
    auto *spin = qobject_cast<QSpinBox *>(i.factory->createEditor(i.property, &parent));
    QVERIFY(spin);
    QVERIFY(i.set(40));
    i.as<QtIntPropertyManager>()->setRange(i.property, 0, 30);
    QCOMPARE(spin->maximum(), 30);
    QCOMPARE(spin->value(), 30);
    i.as<QtIntPropertyManager>()->setSingleStep(i.property, 5);
    QCOMPARE(spin->singleStep(), 5);

    // More decimals than a spin box can show are cut; the value is kept whole.
    AnyProperty d("double");
    auto *doubleManager = d.as<QtDoublePropertyManager>();
    auto *doubleSpin = qobject_cast<QDoubleSpinBox *>(d.factory->createEditor(d.property, &parent));
    QVERIFY(doubleSpin);
    QVERIFY(d.set(3.14159));
    QCOMPARE(d.property->valueText(), QString("3.14"));
    QSignalSpy decimals(doubleManager, &QtDoublePropertyManager::decimalsChanged);
    doubleManager->setDecimals(d.property, 4);
    QCOMPARE(d.property->valueText(), QString("3.1416"));
    QCOMPARE(doubleSpin->decimals(), 4);
    QCOMPARE(decimals.count(), 1);
    QCOMPARE(doubleManager->value(d.property), 3.14159);

    // New names select the first entry; the same names again change nothing.
    AnyProperty e("enum");
    auto *enums = e.as<QtEnumPropertyManager>();
    auto *combo = qobject_cast<QComboBox *>(e.factory->createEditor(e.property, &parent));
    QVERIFY(combo);
    QVERIFY(e.set(2));
    QSignalSpy names(enums, &QtEnumPropertyManager::enumNamesChanged);
    enums->setEnumNames(e.property, {"x", "y"});
    enums->setEnumNames(e.property, {"x", "y"});
    QCOMPARE(names.count(), 1);
    QCOMPARE(e.values->size(), 2);
    QCOMPARE(e.property->valueText(), QString("x"));
    QCOMPARE(combo->itemText(1), QString("y"));
    QCOMPARE(combo->currentIndex(), 0);
    enums->setEnumNames(e.property, {});
    QVERIFY(e.set(0));
    QCOMPARE(enums->value(e.property), -1);
    QCOMPARE(e.property->valueText(), QString());
    QCOMPARE(combo->count(), 0);

    AnyProperty s("digits");
    QTest::keyClicks(s.factory->createEditor(s.property, &parent), "1a2");
    QCOMPARE(s.property->valueText(), QString("12"));
}

void TestPropertyBrowser::editingInTheBrowser()
{
    Browser b;
    QList<QtProperty *> values;
    for (int n = 0; n < 5; ++n)
        values << b.number(QString("v%1").arg(n), b.root, n * 10);
    b.browser.addProperty(b.root);
    QVERIFY(b.show());
    QVERIFY(openEditors<QSpinBox>(b.browser).isEmpty());

    // A click into the value column opens that row's editor only.
    const QRect valueCell = b.tree->visualRect(b.tree->model()->index(2, 1, b.tree->model()->index(0, 0)));
    QTest::mouseClick(b.tree->viewport(), Qt::LeftButton, {}, valueCell.center());
    QCOMPARE(b.browser.currentItem(), b.item(values.at(2)));
    QList<QSpinBox *> editors = openEditors<QSpinBox>(b.browser);
    QCOMPARE(editors.size(), 1);
    QCOMPARE(editors.first()->value(), 20);
    editors.first()->setValue(55);
    QCOMPARE(b.ints.value(values.at(2)), 55);
    QCOMPARE(b.row("v2")->text(1), QString("55"));

    // Moving on closes it; Return edits the current row.
    b.browser.setCurrentItem(b.item(values.at(4)));
    flushDeletes();
    QVERIFY(openEditors<QSpinBox>(b.browser).isEmpty());
    b.tree->setFocus();
    QTest::keyClick(b.tree, Qt::Key_Return);
    editors = openEditors<QSpinBox>(b.browser);
    QCOMPARE(editors.size(), 1);
    QCOMPARE(editors.first()->value(), 40);

    // A click on a name selects that row, closing the editor without opening one.
    QTest::mouseClick(b.tree->viewport(), Qt::LeftButton, {},
                      b.tree->visualItemRect(b.row("v0")).topLeft() + QPoint(30, 5));
    flushDeletes();
    QCOMPARE(b.browser.currentItem(), b.item(values.at(0)));
    QVERIFY(openEditors<QSpinBox>(b.browser).isEmpty());

    // Disabled rows, or rows below a disabled group, are greyed and not edited.
    values.at(3)->setEnabled(false);
    QVERIFY(!(b.row("v3")->flags() & Qt::ItemIsEnabled));
    b.browser.editItem(b.item(values.at(3)));
    QVERIFY(openEditors<QSpinBox>(b.browser).isEmpty());
    b.root->setEnabled(false);
    QVERIFY(!(b.row("v1")->flags() & Qt::ItemIsEnabled));
    b.root->setEnabled(true);
    QVERIFY(b.row("v1")->flags() & Qt::ItemIsEnabled);
    values.at(3)->setEnabled(true);
    b.browser.editItem(b.item(values.at(3)));
    QCOMPARE(openEditors<QSpinBox>(b.browser).size(), 1);

    // Removing the edited row takes its editor with it.
    b.root->removeSubProperty(values.at(3));
    flushDeletes();
    QVERIFY(openEditors<QSpinBox>(b.browser).isEmpty());
}

void TestPropertyBrowser::factoriesAndManagersComeAndGo()
{
    Browser b;
    auto strings = std::make_unique<QtStringPropertyManager>();
    QtLineEditFactory first;
    QtLineEditFactory second;
    b.browser.setFactoryForManager(strings.get(), &first);
    b.browser.setFactoryForManager(strings.get(), &second);
    QVERIFY(first.propertyManagers().isEmpty());
    QCOMPARE(second.propertyManagers().size(), 1);
    QtProperty *s = strings->addProperty("s");
    b.root->addSubProperty(s);
    QtProperty *n = b.number("n", b.root);
    b.browser.addProperty(b.root);
    b.browser.addProperty(strings->addProperty("top"));
    QVERIFY(b.show());
    // Each manager's rows get their editors from its own factory.
    b.browser.editItem(b.item(s));
    QCOMPARE(openEditors<QLineEdit>(b.browser).size(), 1);
    b.browser.editItem(b.item(n));
    flushDeletes();
    QCOMPARE(openEditors<QSpinBox>(b.browser).size(), 1);
    b.browser.unsetFactoryForManager(strings.get());
    QVERIFY(second.propertyManagers().isEmpty());

    // A destroyed manager takes its rows along and leaves its factory.
    b.browser.setFactoryForManager(strings.get(), &first);
    strings.reset();
    QCOMPARE(rowNames(b.tree), QStringList{"root"});
    QCOMPARE(rowNames(b.tree, b.row("root")), QStringList{"n"});
    QVERIFY(first.propertyManagers().isEmpty());

    // A factory may go first too; the browser keeps working.
    QtStringPropertyManager others;
    {
        QtLineEditFactory lines;
        b.browser.setFactoryForManager(&others, &lines);
    }
    QtProperty *t = others.addProperty("t");
    b.browser.addProperty(t);
    b.browser.editItem(b.item(t));
    flushDeletes();
    QVERIFY(openEditors<QLineEdit>(b.browser).isEmpty());
}

QTEST_MAIN(TestPropertyBrowser)
#include "tst_propertybrowser.moc"
