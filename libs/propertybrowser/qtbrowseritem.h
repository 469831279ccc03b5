#ifndef QTBROWSERITEM_H
#define QTBROWSERITEM_H

#include <QList>

class QtProperty;
class QtAbstractPropertyBrowser;

// One appearance of a property in a browser. A property shown under two
// parents has two items.
class QtBrowserItem
{
public:
    QtProperty *property() const;
    QtBrowserItem *parent() const;
    QList<QtBrowserItem *> children() const;
    QtAbstractPropertyBrowser *browser() const;

private:
    friend class QtAbstractPropertyBrowser;

    QtBrowserItem(QtAbstractPropertyBrowser *browser, QtProperty *property,
                  QtBrowserItem *parent);
    ~QtBrowserItem();

    QtAbstractPropertyBrowser *m_browser;
    QtProperty *m_property;
    QtBrowserItem *m_parent;
    QList<QtBrowserItem *> m_children;
};

#endif // QTBROWSERITEM_H
