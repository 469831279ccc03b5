// The parameter tree of the sensor window: its components, the build from
// the description document, re-translation, and the lookups by id.

#include "window/sensorwindow.h"

#include "parameters/comboboxitemdelegate.h"
#include "parameters/comboboxitemdelegate1.h"
#include "parameters/descriptiondocument.h"
#include "window/sensorwindowprivate.h"
#include "window/viewpositions.h"

#include <qteditorfactory.h>
#include <qtpropertymanager.h>
#include <qttreepropertybrowser.h>
#include <utils/buttonfactory.h>
#include <utils/buttonmanager.h>

#include <QDockWidget>

namespace DirazSensorPlugin {
namespace Core {

namespace {

const QString kReadOnlyMarker = QStringLiteral("readOnly");

bool isTrue(const boost::property_tree::ptree &node, const char *key, const char *fallback)
{
    return Description::text(node, key, fallback) == "true";
}

} // namespace

// Factories set later for the same manager replace earlier ones, so the
// delegates go in after the plain line-edit factory.
void SensorWindow::vCreatePropertyComponents()
{
    QDockWidget *owner = d->propertyTreeDock;
    d->boolManager = new QtBoolPropertyManager(owner);
    d->intManager = new QtIntPropertyManager(owner);
    d->doubleManager = new QtDoublePropertyManager(owner);
    d->stringManager = new QtStringPropertyManager(owner);
    d->enumManager = new QtEnumPropertyManager(owner);
    d->groupManager = new QtGroupPropertyManager(owner);
    d->spinBoxFactory = new QtSpinBoxFactory(owner);
    d->doubleSpinBoxFactory = new QtDoubleSpinBoxFactory(owner);
    d->lineEditFactory = new QtLineEditFactory(owner);
    d->enumEditorFactory = new QtEnumEditorFactory(owner);

    comboBoxDelegate = new ComboBoxItemDelegate(owner);
    connect(comboBoxDelegate, &ComboBoxItemDelegate::textEdited, this, &SensorWindow::textEdited);
    connect(comboBoxDelegate, &ComboBoxItemDelegate::editingFinished, this, &SensorWindow::vTextEditFinished);
    checkBoxDelegate = new ComboBoxItemDelegate1(owner);
    connect(checkBoxDelegate, &ComboBoxItemDelegate1::stateChanged, this, &SensorWindow::vStateChanged);

    propertyBrowser = new QtTreePropertyBrowser(owner);
    propertyBrowser->setObjectName(QStringLiteral("propertyBrowser"));
    // Caption and value share the width: a long caption (German ones are)
    // never pushes the value out of sight, nor a long value the caption.
    propertyBrowser->setResizeMode(QtTreePropertyBrowser::Stretch);
    propertyBrowser->setStyleSheet(QStringLiteral(" QTreeView {selection-background-color:  #00619E;}"));

    propertyBrowser->setFactoryForManager(d->intManager, d->spinBoxFactory);
    propertyBrowser->setFactoryForManager(d->doubleManager, d->doubleSpinBoxFactory);
    propertyBrowser->setFactoryForManager(d->stringManager, d->lineEditFactory);
    propertyBrowser->setFactoryForManager(d->enumManager, d->enumEditorFactory);
    propertyBrowser->setFactoryForManager(d->boolManager, static_cast<QtCheckBoxFactory *>(checkBoxDelegate));
    propertyBrowser->setFactoryForManager(d->stringManager, static_cast<QtLineEditFactory *>(comboBoxDelegate));

    d->buttonManager = new Utils::ButtonManager(owner);
    d->buttonFactory = new Utils::ButtonFactory(owner);
    propertyBrowser->setFactoryForManager(d->buttonManager, d->buttonFactory);

    enableTreeDataHandling(true);
}

bool SensorWindow::bLoadPropertyTree()
{
    rootProperty = d->groupManager->addProperty(windowTitle());
    rootProperty->setPropertyId(QStringLiteral("root"));
    hiddenPropertyIds.clear();
    collapsedCategories.clear();

    const auto branch = descriptionTree.get_child_optional("document.treeGui.default");
    if (!branch) {
        // No tree to show; the empty dock still keeps its place.
        propertyBrowser->hide();
        addDockWidget(Qt::LeftDockWidgetArea, d->propertyTreeDock);
        return true;
    }
    // The initial values are no user edits.
    enableTreeDataHandling(false);
    for (const auto &child : *branch)
        if (Description::isElementKey(child.first))
            vAddPropertyNode(child.second, rootProperty, true);
    enableTreeDataHandling(true);

    propertyBrowser->addProperty(rootProperty);
    for (QtProperty *category : qAsConst(collapsedCategories))
        for (QtBrowserItem *item : propertyBrowser->items(category))
            propertyBrowser->setExpanded(item, false);
    propertyBrowser->setRootIsDecorated(true);
    propertyBrowser->show();
    propertyBrowser->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    d->propertyTreeDock->setWidget(propertyBrowser);
    d->propertyTreeDock->setMinimumWidth(350);
    addDockWidget(Qt::LeftDockWidgetArea, d->propertyTreeDock);
    return true;
}

QString SensorWindow::nodeCaption(const boost::property_tree::ptree &node) const
{
    return Description::caption(node, d->language);
}

QStringList SensorWindow::nodeEntryCaptions(const boost::property_tree::ptree &node) const
{
    return Description::entryCaptions(node, d->language);
}

void SensorWindow::vAddPropertyNode(const boost::property_tree::ptree &node, QtProperty *parent, bool useDefaults)
{
    if (!parent || !Description::hasChildElement(node))
        return;

    const QString caption = nodeCaption(node);
    const std::string type = Description::text(node, "type");
    const QString id = QString::fromStdString(Description::text(node, "id"));
    const std::string valueKey = useDefaults ? "defaultvalue" : "value";
    const std::string initial = Description::text(node, valueKey);

    QtProperty *property = nullptr;
    if (type == "category") {
        property = d->groupManager->addProperty(caption);
        property->setPropertyId(id);
    } else if (type == "enumerator") {
        property = d->enumManager->addProperty(caption);
        d->enumManager->setEnumNames(property, nodeEntryCaptions(node));
        d->enumManager->setValue(property, Description::toInt(initial));
    } else if (type == "int") {
        property = d->intManager->addProperty(caption);
        d->intManager->setMinimum(property, Description::toInt(Description::text(node, "min")));
        d->intManager->setMaximum(property, Description::toInt(Description::text(node, "max")));
        d->intManager->setValue(property, Description::toInt(initial));
        if (isTrue(node, "readonly", "true"))
            property->setStatusTip(kReadOnlyMarker);
    } else if (type == "double") {
        property = d->doubleManager->addProperty(caption);
        d->doubleManager->setMinimum(property, Description::toDouble(Description::text(node, "min")));
        d->doubleManager->setMaximum(property, Description::toDouble(Description::text(node, "max")));
        d->doubleManager->setValue(property, Description::toDouble(initial));
    } else if (type == "bool") {
        property = d->boolManager->addProperty(caption);
        d->boolManager->setValue(property, Description::toInt(initial) != 0, QString(), QString());
    } else if (type == "action") {
        property = d->buttonManager->addProperty(caption);
        d->buttonManager->setValue(property, Description::actionLabel(node, d->language));
    } else if (type == "string") {
        property = d->stringManager->addProperty(caption);
        d->stringManager->setValue(property, QString::fromStdString(Description::text(node, "defaultvalue")));
        property->setPropertyId(id);
        if (!isTrue(node, "isString", "")) {
            if (isTrue(node, "readonly", "true"))
                property->setStatusTip(kReadOnlyMarker);
            else
                propertyItemTexts.insert(id, nodeEntryCaptions(node));
        }
    } else {
        return; // an unknown kind creates nothing, and so has no place for children
    }

    if (type != "category") {
        const QString address = QString::fromStdString(Description::text(node, "index")) + QLatin1Char(';')
                                + QString::fromStdString(Description::text(node, "subIndex")) + QLatin1Char(';')
                                + QString::fromStdString(Description::text(node, "size"));
        propertyAddresses.insert(id, address);
        property->setPropertyId(id);
    }

    property->setEnabled(Description::text(node, "readonly", "false") == "false");

    const bool visible = isTrue(node, "visible", "true");
    if (visible)
        parent->addSubProperty(property);

    for (const auto &child : node)
        if (child.first == "property")
            vAddPropertyNode(child.second, property, useDefaults);

    if (!visible)
        hiddenPropertyIds.append(id);
    // Service categories start folded, so the everyday parameters and their
    // values fit the dock.
    if (type == "category" && Description::text(node, "expanded", "true") == "false")
        collapsedCategories.append(property);
}

void SensorWindow::vRetranslatePropertyNode(const boost::property_tree::ptree &node)
{
    if (!Description::hasChildElement(node))
        return;
    const QString caption = nodeCaption(node);
    const QString id = QString::fromStdString(Description::text(node, "id"));
    const std::string type = Description::text(node, "type");

    // A hidden node is not in the tree: only its children are visited.
    if (QtProperty *property = findProperty(id)) {
        property->setPropertyName(caption);
        if (type == "action") {
            d->buttonManager->setValue(property, Description::actionLabel(node, d->language));
        } else if (type == "enumerator") {
            const int index = d->enumManager->value(property);
            // The fresh list has all entries; the known variant cuts it again.
            const QStringList names = variantEntryNames(id, nodeEntryCaptions(node), d->variantKey);
            d->enumManager->setEnumNames(property, names);
            static const QStringList warningIds = {QStringLiteral("ErrorWarning1"), QStringLiteral("ErrorWarning2"),
                                                   QStringLiteral("ErrorWarning3"), QStringLiteral("ErrorWarning4")};
            const int warning = warningIds.indexOf(id);
            if (warning >= 0)
                setStatusRowToolTip(FirstWarningRow + warning, names.value(index));
            d->enumManager->setValue(property, index);
        } else if (type == "string" && !isTrue(node, "isString", "") && !isTrue(node, "readonly", "true")) {
            const int position = propertyItemTexts.value(id).indexOf(d->stringManager->value(property));
            const QStringList texts = nodeEntryCaptions(node);
            propertyItemTexts.insert(id, texts);
            if (position >= 0)
                d->stringManager->setValue(property, texts.value(position));
        }
    }

    for (const auto &child : node)
        if (child.first == "property")
            vRetranslatePropertyNode(child.second);
}

QtProperty *SensorWindow::findProperty(QtProperty *parent, const std::string &id) const
{
    if (!parent)
        return nullptr;
    const QList<QtProperty *> children = parent->subProperties();
    for (QtProperty *child : children) {
        if (child->propertyId().toLatin1().toStdString() == id)
            return child;
        if (!child->subProperties().isEmpty())
            if (QtProperty *hit = findProperty(child, id))
                return hit;
    }
    return nullptr;
}

QtProperty *SensorWindow::findProperty(const QString &id) const
{
    return findProperty(rootProperty, id.toUtf8().toStdString());
}

QList<QtProperty *> SensorWindow::allSubProperties(QtProperty *parent) const
{
    QList<QtProperty *> result;
    if (!parent)
        return result;
    const QList<QtProperty *> children = parent->subProperties();
    for (QtProperty *child : children) {
        result.append(child);
        result.append(allSubProperties(child));
    }
    return result;
}

void SensorWindow::vSetPropertyVisible(const QString &id, bool visible)
{
    QtProperty *property = findProperty(id);
    if (!property || !propertyBrowser)
        return;
    QList<QtBrowserItem *> pending;
    for (QtBrowserItem *top : propertyBrowser->topLevelItems())
        pending.append(top->children());
    while (!pending.isEmpty()) {
        QtBrowserItem *item = pending.takeLast();
        if (item->property() == property)
            propertyBrowser->setItemVisible(item, visible);
        pending.append(item->children());
    }
}

void SensorWindow::vEnableEditableProperties()
{
    for (QtProperty *property : allSubProperties(rootProperty))
        if (property->statusTip() != kReadOnlyMarker)
            property->setEnabled(true);
}

void SensorWindow::removeSubProperties(QtProperty *property)
{
    if (!property)
        return;
    while (!property->subProperties().isEmpty()) {
        QtProperty *first = property->subProperties().first();
        if (first->subProperties().isEmpty())
            property->removeSubProperty(first);
        else
            removeSubProperties(first);
    }
}

} // namespace Core
} // namespace DirazSensorPlugin
