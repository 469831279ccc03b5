#ifndef QTTREEPROPERTYBROWSER_H
#define QTTREEPROPERTYBROWSER_H

#include "qtpropertybrowser.h"

#include <QColor>
#include <QHash>

class QTreeWidget;
class QTreeWidgetItem;
class PropertyTreeView;
class PropertyItemDelegate;

// Shows properties as a two-column tree (name, value). An editor exists only
// while a value is being edited; the factory set for the property's manager
// makes it.
class QtTreePropertyBrowser : public QtAbstractPropertyBrowser
{
    Q_OBJECT
    Q_PROPERTY(int indentation READ indentation WRITE setIndentation)
    Q_PROPERTY(bool rootIsDecorated READ rootIsDecorated WRITE setRootIsDecorated)
    Q_PROPERTY(bool alternatingRowColors READ alternatingRowColors WRITE setAlternatingRowColors)
    Q_PROPERTY(bool headerVisible READ isHeaderVisible WRITE setHeaderVisible)
    Q_PROPERTY(ResizeMode resizeMode READ resizeMode WRITE setResizeMode)
    Q_PROPERTY(int splitterPosition READ splitterPosition WRITE setSplitterPosition)
    Q_PROPERTY(bool propertiesWithoutValueMarked READ propertiesWithoutValueMarked
               WRITE setPropertiesWithoutValueMarked)
public:
    enum ResizeMode { Interactive, Stretch, Fixed, ResizeToContents };
    Q_ENUM(ResizeMode)

    explicit QtTreePropertyBrowser(QWidget *parent = nullptr);
    ~QtTreePropertyBrowser() override;

    int indentation() const;
    void setIndentation(int i);

    bool rootIsDecorated() const;
    void setRootIsDecorated(bool show);

    bool alternatingRowColors() const;
    void setAlternatingRowColors(bool enable);

    bool isHeaderVisible() const;
    void setHeaderVisible(bool visible);

    ResizeMode resizeMode() const;
    void setResizeMode(ResizeMode mode);

    int splitterPosition() const;
    void setSplitterPosition(int position);

    void setExpanded(QtBrowserItem *item, bool expanded);
    bool isExpanded(QtBrowserItem *item) const;

    bool isItemVisible(QtBrowserItem *item) const;
    void setItemVisible(QtBrowserItem *item, bool visible);

    void setBackgroundColor(QtBrowserItem *item, const QColor &color);
    QColor backgroundColor(QtBrowserItem *item) const;
    QColor calculatedBackgroundColor(QtBrowserItem *item) const;

    void setPropertiesWithoutValueMarked(bool mark);
    bool propertiesWithoutValueMarked() const;

    void editItem(QtBrowserItem *item);

    // The view itself, for styling and inspection.
    QTreeWidget *treeWidget() const;

Q_SIGNALS:
    void collapsed(QtBrowserItem *item);
    void expanded(QtBrowserItem *item);

protected:
    void changeEvent(QEvent *event) override;
    void itemInserted(QtBrowserItem *item, QtBrowserItem *afterItem) override;
    void itemRemoved(QtBrowserItem *item) override;
    void itemChanged(QtBrowserItem *item) override;

private:
    friend class PropertyTreeView;
    friend class PropertyItemDelegate;

    QtBrowserItem *browserItem(const QTreeWidgetItem *treeItem) const;
    QWidget *createEditorFor(const QTreeWidgetItem *treeItem, QWidget *parent);
    void updateItem(QTreeWidgetItem *treeItem, QtBrowserItem *item);
    void updateSubtree(QtBrowserItem *item);
    void syncCurrentItem(QtBrowserItem *item);

    PropertyTreeView *m_view = nullptr;
    PropertyItemDelegate *m_delegate = nullptr;
    QHash<QtBrowserItem *, QTreeWidgetItem *> m_itemToTree;
    QHash<const QTreeWidgetItem *, QtBrowserItem *> m_treeToItem;
    QHash<QtBrowserItem *, QColor> m_colors;
    ResizeMode m_resizeMode = Stretch;
    bool m_markPropertiesWithoutValue = false;
};

#endif // QTTREEPROPERTYBROWSER_H
