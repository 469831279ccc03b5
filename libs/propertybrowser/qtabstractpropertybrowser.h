#ifndef QTABSTRACTPROPERTYBROWSER_H
#define QTABSTRACTPROPERTYBROWSER_H

#include "qtabstracteditorfactory.h"
#include "qtbrowseritem.h"
#include "qtproperty.h"

#include <QHash>
#include <QList>
#include <QMetaObject>
#include <QWidget>

class QtAbstractPropertyManager;

// Keeps the browser items of the properties shown, follows the managers'
// structural signals and hands editor creation to the factories. Subclasses
// present the items.
class QtAbstractPropertyBrowser : public QWidget
{
    Q_OBJECT
public:
    explicit QtAbstractPropertyBrowser(QWidget *parent = nullptr);
    ~QtAbstractPropertyBrowser() override;

    QList<QtProperty *> properties() const;
    QList<QtBrowserItem *> items(QtProperty *property) const;
    QtBrowserItem *topLevelItem(QtProperty *property) const;
    QList<QtBrowserItem *> topLevelItems() const;
    void clear();

    template <class PropertyManager>
    void setFactoryForManager(PropertyManager *manager,
                              QtAbstractEditorFactory<PropertyManager> *factory)
    {
        QtAbstractPropertyManager *abstractManager = manager;
        QtAbstractEditorFactoryBase *abstractFactory = factory;
        if (addFactory(abstractManager, abstractFactory))
            factory->addPropertyManager(manager);
    }
    void unsetFactoryForManager(QtAbstractPropertyManager *manager);

    QtBrowserItem *currentItem() const;
    void setCurrentItem(QtBrowserItem *item);

Q_SIGNALS:
    void currentItemChanged(QtBrowserItem *current);

public Q_SLOTS:
    QtBrowserItem *addProperty(QtProperty *property);
    QtBrowserItem *insertProperty(QtProperty *property, QtProperty *afterProperty);
    void removeProperty(QtProperty *property);

protected:
    // Called parent first; afterItem is the preceding sibling or null.
    virtual void itemInserted(QtBrowserItem *item, QtBrowserItem *afterItem) = 0;
    // Called children first, while the item is still valid.
    virtual void itemRemoved(QtBrowserItem *item) = 0;
    virtual void itemChanged(QtBrowserItem *item) = 0;
    virtual QWidget *createEditor(QtProperty *property, QWidget *parent);

private:
    struct ManagerUse {
        int items = 0;
        QList<QMetaObject::Connection> connections;
    };

    bool addFactory(QtAbstractPropertyManager *manager, QtAbstractEditorFactoryBase *factory);
    void factoryDestroyed(QObject *factory);
    void managerDestroyed(QObject *manager);

    QtBrowserItem *createItem(QtProperty *property, QtBrowserItem *parent,
                              QtBrowserItem *afterItem);
    void destroyItem(QtBrowserItem *item);
    void retainManager(QtAbstractPropertyManager *manager);
    void releaseManager(QtAbstractPropertyManager *manager);

    void slotPropertyInserted(QtProperty *property, QtProperty *parent, QtProperty *after);
    void slotPropertyRemoved(QtProperty *property, QtProperty *parent);
    void slotPropertyChanged(QtProperty *property);
    void slotPropertyDestroyed(QtProperty *property);

    QList<QtProperty *> m_topLevelProperties;
    QList<QtBrowserItem *> m_topLevelItems;
    QHash<QtProperty *, QList<QtBrowserItem *>> m_propertyItems;
    QHash<QtAbstractPropertyManager *, ManagerUse> m_managerUse;
    QHash<QtAbstractPropertyManager *, QtAbstractEditorFactoryBase *> m_factories;
    QtBrowserItem *m_currentItem = nullptr;
};

#endif // QTABSTRACTPROPERTYBROWSER_H
