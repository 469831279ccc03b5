#include "stateofdevicemydelegate.h"

#include <QHeaderView>
#include <QTreeWidget>

void StateOfDeviceMyDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                                    const QModelIndex &index) const
{
    QStyleOptionViewItem plain(option);
    plain.state &= ~QStyle::State_HasFocus;
    QStyledItemDelegate::paint(painter, plain, index);
}

// The captions take what the values leave: values and units are never
// pushed out of sight behind a horizontal scroll bar.
void setStateTreeColumns(QTreeWidget *tree)
{
    tree->header()->setStretchLastSection(false);
    tree->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    for (int column = 1; column < 4; ++column)
        tree->header()->setSectionResizeMode(column, QHeaderView::ResizeToContents);
    tree->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    tree->setTextElideMode(Qt::ElideRight);
}
