#pragma once

#include <QStyledItemDelegate>

// Item delegate of the process-data and observation trees: paints items
// without the focus frame.
class StateOfDeviceMyDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
};
