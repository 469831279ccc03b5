#include "propertyitemdelegate.h"

#include "propertytreeview.h"
#include "qttreepropertybrowser.h"

PropertyItemDelegate::PropertyItemDelegate(QtTreePropertyBrowser *browser, PropertyTreeView *view)
    : QStyledItemDelegate(view), m_browser(browser), m_view(view)
{
}

QWidget *PropertyItemDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &,
                                            const QModelIndex &index) const
{
    if (index.column() != 1)
        return nullptr;
    const QTreeWidgetItem *item = m_view->itemForIndex(index);
    if (!item || !m_view->isEditable(item))
        return nullptr;
    QWidget *editor = m_browser->createEditorFor(item, parent);
    if (!editor)
        return nullptr;
    editor->setAutoFillBackground(true);
    m_editorToItem.insert(editor, item);
    m_itemToEditor.insert(item, editor);
    connect(editor, &QObject::destroyed, this, [this, editor]() {
        const QTreeWidgetItem *edited = m_editorToItem.take(editor);
        if (m_itemToEditor.value(edited) == editor)
            m_itemToEditor.remove(edited);
    });
    return editor;
}

void PropertyItemDelegate::setEditorData(QWidget *, const QModelIndex &) const
{
    // The factory filled the editor from the manager and keeps it in step.
}

void PropertyItemDelegate::setModelData(QWidget *, QAbstractItemModel *,
                                        const QModelIndex &) const
{
    // The editor already wrote into its manager; the row follows from there.
}

void PropertyItemDelegate::updateEditorGeometry(QWidget *editor,
                                                const QStyleOptionViewItem &option,
                                                const QModelIndex &) const
{
    editor->setGeometry(option.rect.adjusted(0, 0, 0, -1));
}

QSize PropertyItemDelegate::sizeHint(const QStyleOptionViewItem &option,
                                     const QModelIndex &index) const
{
    // Room for spin boxes and drop-down lists in every row.
    return QStyledItemDelegate::sizeHint(option, index) + QSize(3, 6);
}

QWidget *PropertyItemDelegate::editor(const QTreeWidgetItem *item) const
{
    return m_itemToEditor.value(item);
}

const QTreeWidgetItem *PropertyItemDelegate::editedItem() const
{
    return m_itemToEditor.isEmpty() ? nullptr : m_itemToEditor.constBegin().key();
}

void PropertyItemDelegate::forget(const QTreeWidgetItem *item)
{
    QWidget *editor = m_itemToEditor.take(item);
    if (editor)
        m_editorToItem.remove(editor);
}
