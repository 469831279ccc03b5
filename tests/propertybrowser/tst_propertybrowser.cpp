#include "qteditorfactory.h"
#include "qtpropertybrowser.h"
#include "qtpropertymanager.h"
#include "qttreepropertybrowser.h"

#include <QComboBox>
#include <QLineEdit>
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
    void initTestCase()
    {
        qRegisterMetaType<QtProperty *>();
        qRegisterMetaType<QtBrowserItem *>();
        QLocale::setDefault(QLocale::c());
    }

    void numericRange_data()
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
        row("int minimum inside", true, 5, "setMinimum", 6, 0, 6, 10, 6, 8, 8);
        row("int minimum drags maximum", true, 5, "setMinimum", 20, 0, 20, 20, 20, 7, 20);
        row("int maximum drags minimum", true, 5, "setMaximum", -3, 0, -3, -3, -3, 7, -3);
        row("double above max", false, 0, "setRange", 0, 1e5, 0, 1e5, 0, 150000.5, 1e5);
        row("double reversed range", false, 2, "setRange", 1.5, -1.5, -1.5, 1.5, 1.5, -2, -1.5);
        row("double maximum inside", false, 5, "setMaximum", 8.5, 0, 0, 8.5, 5, 9, 8.5);
        row("double minimum drags maximum", false, 5, "setMinimum", 20.5, 0, 20.5, 20.5, 20.5, 7, 20.5);
        row("double maximum drags minimum", false, 5, "setMaximum", -3.5, 0, -3.5, -3.5, -3.5, 7, -3.5);
    }

    void numericRange()
    {
        QFETCH(bool, isInt);
        if (isInt)
            checkRange<QtIntPropertyManager, int>();
        else
            checkRange<QtDoublePropertyManager, double>();
    }

    void valueChangedOnlyOnRealChange_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QVariantList>("sets");
        QTest::addColumn<QVariantList>("reported");
        QTest::addColumn<QString>("text");

        QTest::newRow("bool") << "bool" << QVariantList{false, true, true} << QVariantList{true} << "True";
        QTest::newRow("int") << "int" << QVariantList{0, 42, 42} << QVariantList{42} << "42";
        QTest::newRow("double, not a number ignored")
            << "double" << QVariantList{0.0, 0.5, 0.5, qQNaN()} << QVariantList{0.5} << "0.50";
        QTest::newRow("string") << "string" << QVariantList{"", "ab", "ab"} << QVariantList{"ab"} << "ab";
        QTest::newRow("enum, out of range ignored")
            << "enum" << QVariantList{0, 2, 2, -1, 3, 1000} << QVariantList{2} << "c";
    }

    void valueChangedOnlyOnRealChange()
    {
        QFETCH(QString, kind);
        QFETCH(QVariantList, sets);
        QFETCH(QVariantList, reported);

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
        QTEST(any.property->valueText(), "text");

        // A manager leaves the properties of other managers alone.
        QtIntPropertyManager other;
        other.setValue(any.property, 7);
        QCOMPARE(other.value(any.property), 0);
    }

    // Rows are built once the tree is whole; later they follow renames,
    // values and visibility (rows added or removed later are no case here).
    void rowsFollowTheirProperty()
    {
        Browser b;
        QtBoolPropertyManager bools;
        QtProperty *value = b.number("value", b.root, 3);
        QtProperty *flag = bools.addProperty("flag");
        b.root->addSubProperty(flag);
        b.browser.addProperty(b.root);
        QCOMPARE(b.row("root")->text(1), QString());
        QCOMPARE(b.row("value")->text(1), QString("3"));
        b.ints.setValue(value, 9);
        value->setPropertyName("renamed");
        QCOMPARE(b.row("renamed")->text(1), QString("9"));

        // A truth value without texts reads as a check box, in a hidden row too.
        b.browser.setItemVisible(b.item(flag), false);
        QVERIFY(!b.browser.isItemVisible(b.item(flag)));
        QVERIFY(b.row("flag")->isHidden());
        QVERIFY(!b.row("renamed")->isHidden());
        bools.setValue(flag, true, QString(), QString());
        QCOMPARE(b.row("flag")->text(1), QString());
        QVERIFY(!b.row("flag")->icon(1).isNull());
        b.browser.setItemVisible(b.item(flag), true);
        QVERIFY(!b.row("flag")->isHidden());
    }

    void viewAndBrowserInStep()
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

        // The current item never outlives its row.
        b.browser.removeProperty(b.root);
        QCOMPARE(b.browser.currentItem(), nullptr);
    }

    void destroyedPropertyLeavesBrowser()
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

    void editorsWriteBack_data()
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

    void editorsWriteBack()
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

    void editingInTheBrowser()
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
};

QTEST_MAIN(TestPropertyBrowser)
#include "tst_propertybrowser.moc"
