#pragma once

#include <QStyledItemDelegate>

// Item delegate of the process-data and observation trees: paints items
// without the focus frame.
class QTreeWidget;

// Column sizing shared by the process-data and observation trees.
void setStateTreeColumns(QTreeWidget *tree);

class StateOfDeviceMyDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
};
