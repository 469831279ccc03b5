#ifndef PROPERTYTREEVIEW_H
#define PROPERTYTREEVIEW_H

#include <QTreeWidget>

class QtTreePropertyBrowser;

// The tree inside QtTreePropertyBrowser: opens the value editor on a click
// into the value column or on Return/Space, as a property sheet does.
class PropertyTreeView : public QTreeWidget
{
    Q_OBJECT
public:
    PropertyTreeView(QtTreePropertyBrowser *browser, QWidget *parent);

    QTreeWidgetItem *itemForIndex(const QModelIndex &index) const;
    bool isEditable(const QTreeWidgetItem *item) const;

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    QtTreePropertyBrowser *m_browser;
};

#endif // PROPERTYTREEVIEW_H
