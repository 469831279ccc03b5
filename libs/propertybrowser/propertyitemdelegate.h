#ifndef PROPERTYITEMDELEGATE_H
#define PROPERTYITEMDELEGATE_H

#include <QHash>
#include <QStyledItemDelegate>

class QTreeWidgetItem;
class QtTreePropertyBrowser;
class PropertyTreeView;

// Creates the factory's editor for the value column when editing starts.
// Editors talk to their manager directly, so no data passes through the model.
class PropertyItemDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    PropertyItemDelegate(QtTreePropertyBrowser *browser, PropertyTreeView *view);

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    void setModelData(QWidget *editor, QAbstractItemModel *model,
                      const QModelIndex &index) const override;
    void updateEditorGeometry(QWidget *editor, const QStyleOptionViewItem &option,
                              const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

    QWidget *editor(const QTreeWidgetItem *item) const;
    const QTreeWidgetItem *editedItem() const;
    void forget(const QTreeWidgetItem *item);

private:
    QtTreePropertyBrowser *m_browser;
    PropertyTreeView *m_view;
    mutable QHash<QWidget *, const QTreeWidgetItem *> m_editorToItem;
    mutable QHash<const QTreeWidgetItem *, QWidget *> m_itemToEditor;
};

#endif // PROPERTYITEMDELEGATE_H
