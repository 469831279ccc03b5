#include "propertytreeview.h"

#include "propertyitemdelegate.h"
#include "qttreepropertybrowser.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>

PropertyTreeView::PropertyTreeView(QtTreePropertyBrowser *browser, QWidget *parent)
    : QTreeWidget(parent), m_browser(browser)
{
}

QTreeWidgetItem *PropertyTreeView::itemForIndex(const QModelIndex &index) const
{
    return itemFromIndex(index);
}

bool PropertyTreeView::isEditable(const QTreeWidgetItem *item) const
{
    const Qt::ItemFlags flags = item->flags();
    return flags.testFlag(Qt::ItemIsEditable) && flags.testFlag(Qt::ItemIsEnabled);
}

void PropertyTreeView::mousePressEvent(QMouseEvent *event)
{
    QTreeWidget::mousePressEvent(event);
    // Selecting may have changed the item's state, so look again.
    QTreeWidgetItem *item = itemAt(event->pos());
    if (!item || event->button() != Qt::LeftButton)
        return;
    if (header()->logicalIndexAt(event->pos().x()) == 1) {
        if (isEditable(item) && m_browser->m_delegate->editedItem() != item)
            editItem(item, 1);
        return;
    }
    if (m_browser->m_markPropertiesWithoutValue && !rootIsDecorated()) {
        const QtBrowserItem *browserItem = m_browser->browserItem(item);
        if (browserItem && !browserItem->property()->hasValue())
            item->setExpanded(!item->isExpanded());
    }
}

void PropertyTreeView::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        if (state() != EditingState) {
            QTreeWidgetItem *item = currentItem();
            if (item && isEditable(item)) {
                event->accept();
                editItem(item, 1);
                return;
            }
        }
        break;
    default:
        break;
    }
    QTreeWidget::keyPressEvent(event);
}
