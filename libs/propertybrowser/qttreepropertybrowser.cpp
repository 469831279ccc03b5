#include "qttreepropertybrowser.h"

#include "propertyitemdelegate.h"
#include "propertytreeview.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>

namespace {

QHeaderView::ResizeMode headerMode(QtTreePropertyBrowser::ResizeMode mode)
{
    switch (mode) {
    case QtTreePropertyBrowser::Interactive:
        return QHeaderView::Interactive;
    case QtTreePropertyBrowser::Fixed:
        return QHeaderView::Fixed;
    case QtTreePropertyBrowser::ResizeToContents:
        return QHeaderView::ResizeToContents;
    case QtTreePropertyBrowser::Stretch:
        break;
    }
    return QHeaderView::Stretch;
}

} // namespace

QtTreePropertyBrowser::QtTreePropertyBrowser(QWidget *parent)
    : QtAbstractPropertyBrowser(parent)
{
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);

    m_view = new PropertyTreeView(this, this);
    m_delegate = new PropertyItemDelegate(this, m_view);
    m_view->setItemDelegate(m_delegate);
    m_view->setColumnCount(2);
    m_view->setHeaderLabels({tr("Property"), tr("Value")});
    m_view->setAlternatingRowColors(true);
    m_view->setSelectionMode(QAbstractItemView::SingleSelection);
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    // Editors open on a click into the value column or on Return (see the view).
    m_view->setEditTriggers(QAbstractItemView::EditKeyPressed);
    m_view->setUniformRowHeights(true);
    m_view->setIconSize(QSize(18, 18));
    m_view->header()->setSectionsMovable(false);
    m_view->header()->setSectionResizeMode(headerMode(m_resizeMode));
    layout->addWidget(m_view);
    setFocusProxy(m_view);

    connect(m_view, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem *current) { setCurrentItem(browserItem(current)); });
    connect(this, &QtAbstractPropertyBrowser::currentItemChanged,
            this, &QtTreePropertyBrowser::syncCurrentItem);
    connect(m_view, &QTreeWidget::itemExpanded, this, [this](QTreeWidgetItem *treeItem) {
        if (QtBrowserItem *item = browserItem(treeItem))
            emit expanded(item);
    });
    connect(m_view, &QTreeWidget::itemCollapsed, this, [this](QTreeWidgetItem *treeItem) {
        if (QtBrowserItem *item = browserItem(treeItem))
            emit collapsed(item);
    });
}

QtTreePropertyBrowser::~QtTreePropertyBrowser()
{
    // The view goes first and must not report to a browser being destroyed.
    disconnect(m_view, nullptr, this, nullptr);
    delete m_view;
    m_view = nullptr;
}

int QtTreePropertyBrowser::indentation() const { return m_view->indentation(); }
void QtTreePropertyBrowser::setIndentation(int i) { m_view->setIndentation(i); }

bool QtTreePropertyBrowser::rootIsDecorated() const { return m_view->rootIsDecorated(); }
void QtTreePropertyBrowser::setRootIsDecorated(bool show) { m_view->setRootIsDecorated(show); }

bool QtTreePropertyBrowser::alternatingRowColors() const
{
    return m_view->alternatingRowColors();
}

void QtTreePropertyBrowser::setAlternatingRowColors(bool enable)
{
    m_view->setAlternatingRowColors(enable);
}

bool QtTreePropertyBrowser::isHeaderVisible() const { return !m_view->header()->isHidden(); }
void QtTreePropertyBrowser::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        m_view->setHeaderLabels({tr("Property"), tr("Value")});
    QtAbstractPropertyBrowser::changeEvent(event);
}

void QtTreePropertyBrowser::setHeaderVisible(bool visible) { m_view->header()->setVisible(visible); }

QtTreePropertyBrowser::ResizeMode QtTreePropertyBrowser::resizeMode() const
{
    return m_resizeMode;
}

void QtTreePropertyBrowser::setResizeMode(ResizeMode mode)
{
    m_resizeMode = mode;
    m_view->header()->setSectionResizeMode(headerMode(mode));
}

int QtTreePropertyBrowser::splitterPosition() const
{
    return m_view->header()->sectionSize(0);
}

void QtTreePropertyBrowser::setSplitterPosition(int position)
{
    m_view->header()->resizeSection(0, position);
}

void QtTreePropertyBrowser::setExpanded(QtBrowserItem *item, bool expanded)
{
    if (QTreeWidgetItem *treeItem = m_itemToTree.value(item))
        treeItem->setExpanded(expanded);
}

bool QtTreePropertyBrowser::isExpanded(QtBrowserItem *item) const
{
    const QTreeWidgetItem *treeItem = m_itemToTree.value(item);
    return treeItem && treeItem->isExpanded();
}

bool QtTreePropertyBrowser::isItemVisible(QtBrowserItem *item) const
{
    const QTreeWidgetItem *treeItem = m_itemToTree.value(item);
    return treeItem && !treeItem->isHidden();
}

void QtTreePropertyBrowser::setItemVisible(QtBrowserItem *item, bool visible)
{
    if (QTreeWidgetItem *treeItem = m_itemToTree.value(item))
        treeItem->setHidden(!visible);
}

void QtTreePropertyBrowser::setBackgroundColor(QtBrowserItem *item, const QColor &color)
{
    if (!m_itemToTree.contains(item))
        return;
    if (color.isValid())
        m_colors.insert(item, color);
    else
        m_colors.remove(item);
    // Descendants without a colour of their own inherit it.
    updateSubtree(item);
}

QColor QtTreePropertyBrowser::backgroundColor(QtBrowserItem *item) const
{
    return m_colors.value(item);
}

QColor QtTreePropertyBrowser::calculatedBackgroundColor(QtBrowserItem *item) const
{
    for (QtBrowserItem *i = item; i; i = i->parent()) {
        const auto found = m_colors.constFind(i);
        if (found != m_colors.cend())
            return found.value();
    }
    return QColor();
}

void QtTreePropertyBrowser::setPropertiesWithoutValueMarked(bool mark)
{
    if (m_markPropertiesWithoutValue == mark)
        return;
    m_markPropertiesWithoutValue = mark;
    const QList<QtBrowserItem *> tops = topLevelItems();
    for (QtBrowserItem *item : tops)
        updateSubtree(item);
}

bool QtTreePropertyBrowser::propertiesWithoutValueMarked() const
{
    return m_markPropertiesWithoutValue;
}

void QtTreePropertyBrowser::editItem(QtBrowserItem *item)
{
    QTreeWidgetItem *treeItem = m_itemToTree.value(item);
    if (!treeItem)
        return;
    m_view->setCurrentItem(treeItem, 1);
    if (m_view->isEditable(treeItem))
        m_view->editItem(treeItem, 1);
}

QTreeWidget *QtTreePropertyBrowser::treeWidget() const
{
    return m_view;
}

void QtTreePropertyBrowser::itemInserted(QtBrowserItem *item, QtBrowserItem *)
{
    QtBrowserItem *parent = item->parent();
    QTreeWidgetItem *parentTree = parent ? m_itemToTree.value(parent) : nullptr;
    // The tree's children mirror the browser's; appends are found at once.
    const QList<QtBrowserItem *> siblings = parent ? parent->children() : topLevelItems();
    const int index = siblings.lastIndexOf(item);

    auto *treeItem = new QTreeWidgetItem;
    m_itemToTree.insert(item, treeItem);
    m_treeToItem.insert(treeItem, item);
    if (parentTree)
        parentTree->insertChild(index, treeItem);
    else
        m_view->insertTopLevelItem(index, treeItem);
    updateItem(treeItem, item);
    treeItem->setExpanded(true);
}

void QtTreePropertyBrowser::itemRemoved(QtBrowserItem *item)
{
    QTreeWidgetItem *treeItem = m_itemToTree.take(item);
    if (!treeItem)
        return;
    m_treeToItem.remove(treeItem);
    m_colors.remove(item);
    m_delegate->forget(treeItem);
    delete treeItem;
}

void QtTreePropertyBrowser::itemChanged(QtBrowserItem *item)
{
    if (QTreeWidgetItem *treeItem = m_itemToTree.value(item))
        updateItem(treeItem, item);
}

QtBrowserItem *QtTreePropertyBrowser::browserItem(const QTreeWidgetItem *treeItem) const
{
    return treeItem ? m_treeToItem.value(treeItem) : nullptr;
}

QWidget *QtTreePropertyBrowser::createEditorFor(const QTreeWidgetItem *treeItem, QWidget *parent)
{
    QtBrowserItem *item = browserItem(treeItem);
    return item ? createEditor(item->property(), parent) : nullptr;
}

void QtTreePropertyBrowser::updateItem(QTreeWidgetItem *treeItem, QtBrowserItem *item)
{
    const QtProperty *property = item->property();
    const bool hasValue = property->hasValue();

    treeItem->setText(0, property->propertyName());
    treeItem->setToolTip(0, property->toolTip());
    treeItem->setStatusTip(0, property->statusTip());
    treeItem->setWhatsThis(0, property->whatsThis());
    if (hasValue) {
        const QString text = property->valueText();
        treeItem->setText(1, text);
        treeItem->setToolTip(1, text);
        treeItem->setIcon(1, property->valueIcon());
    } else {
        treeItem->setText(1, QString());
        treeItem->setToolTip(1, QString());
        treeItem->setIcon(1, QIcon());
    }
    QFont font = treeItem->font(0);
    if (font.bold() != property->isModified()) {
        font.setBold(property->isModified());
        treeItem->setFont(0, font);
    }

    // A disabled parent disables its children through the tree itself.
    Qt::ItemFlags flags = Qt::ItemIsSelectable;
    if (hasValue)
        flags |= Qt::ItemIsEditable;
    if (property->isEnabled())
        flags |= Qt::ItemIsEnabled;
    treeItem->setFlags(flags);
    if (QWidget *editor = m_delegate->editor(treeItem))
        editor->setEnabled(treeItem->flags().testFlag(Qt::ItemIsEnabled));

    const bool marked = m_markPropertiesWithoutValue && !hasValue;
    QColor color = calculatedBackgroundColor(item);
    if (!color.isValid() && marked)
        color = m_view->palette().color(QPalette::Midlight);
    const QBrush brush = color.isValid() ? QBrush(color) : QBrush();
    treeItem->setBackground(0, brush);
    treeItem->setBackground(1, brush);
    if (treeItem->treeWidget() && treeItem->isFirstColumnSpanned() != marked)
        treeItem->setFirstColumnSpanned(marked);
}

void QtTreePropertyBrowser::updateSubtree(QtBrowserItem *item)
{
    if (QTreeWidgetItem *treeItem = m_itemToTree.value(item))
        updateItem(treeItem, item);
    const QList<QtBrowserItem *> children = item->children();
    for (QtBrowserItem *child : children)
        updateSubtree(child);
}

void QtTreePropertyBrowser::syncCurrentItem(QtBrowserItem *item)
{
    QTreeWidgetItem *treeItem = item ? m_itemToTree.value(item) : nullptr;
    if (m_view->currentItem() != treeItem)
        m_view->setCurrentItem(treeItem);
}
