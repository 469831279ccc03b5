#include "qtabstractpropertybrowser.h"

#include "qtabstractpropertymanager.h"

QtAbstractPropertyBrowser::QtAbstractPropertyBrowser(QWidget *parent)
    : QWidget(parent)
{
}

QtAbstractPropertyBrowser::~QtAbstractPropertyBrowser()
{
    // Items are not removed one by one here: the subclass that presents them
    // is already gone. Only the bookkeeping is released.
    for (auto it = m_managerUse.cbegin(); it != m_managerUse.cend(); ++it) {
        for (const QMetaObject::Connection &connection : it.value().connections)
            disconnect(connection);
    }
    for (auto it = m_propertyItems.cbegin(); it != m_propertyItems.cend(); ++it) {
        for (QtBrowserItem *item : it.value())
            delete item;
    }
    const QList<QtAbstractPropertyManager *> managers = m_factories.keys();
    for (QtAbstractPropertyManager *manager : managers)
        unsetFactoryForManager(manager);
}

QList<QtProperty *> QtAbstractPropertyBrowser::properties() const
{
    return m_topLevelProperties;
}

QList<QtBrowserItem *> QtAbstractPropertyBrowser::items(QtProperty *property) const
{
    return m_propertyItems.value(property);
}

QtBrowserItem *QtAbstractPropertyBrowser::topLevelItem(QtProperty *property) const
{
    const QList<QtBrowserItem *> all = m_propertyItems.value(property);
    for (QtBrowserItem *item : all) {
        if (!item->parent())
            return item;
    }
    return nullptr;
}

QList<QtBrowserItem *> QtAbstractPropertyBrowser::topLevelItems() const
{
    return m_topLevelItems;
}

void QtAbstractPropertyBrowser::clear()
{
    while (!m_topLevelProperties.isEmpty())
        removeProperty(m_topLevelProperties.constLast());
}

QtBrowserItem *QtAbstractPropertyBrowser::currentItem() const
{
    return m_currentItem;
}

void QtAbstractPropertyBrowser::setCurrentItem(QtBrowserItem *item)
{
    if (item == m_currentItem)
        return;
    if (item && item->browser() != this)
        return;
    m_currentItem = item;
    emit currentItemChanged(item);
}

QtBrowserItem *QtAbstractPropertyBrowser::addProperty(QtProperty *property)
{
    return insertProperty(property, m_topLevelProperties.isEmpty()
                                        ? nullptr : m_topLevelProperties.constLast());
}

QtBrowserItem *QtAbstractPropertyBrowser::insertProperty(QtProperty *property,
                                                         QtProperty *afterProperty)
{
    if (!property || topLevelItem(property))
        return nullptr;

    int position = 0;
    QtBrowserItem *afterItem = nullptr;
    if (afterProperty) {
        const int index = m_topLevelProperties.lastIndexOf(afterProperty);
        if (index >= 0) {
            position = index + 1;
            afterItem = m_topLevelItems.at(index);
        }
    }
    m_topLevelProperties.insert(position, property);
    return createItem(property, nullptr, afterItem);
}

void QtAbstractPropertyBrowser::removeProperty(QtProperty *property)
{
    const int index = m_topLevelProperties.indexOf(property);
    if (index < 0)
        return;
    QtBrowserItem *item = m_topLevelItems.at(index);
    destroyItem(item);
    m_topLevelProperties.removeAt(index);
}

QWidget *QtAbstractPropertyBrowser::createEditor(QtProperty *property, QWidget *parent)
{
    if (!property)
        return nullptr;
    QtAbstractEditorFactoryBase *factory = m_factories.value(property->propertyManager());
    return factory ? factory->createEditor(property, parent) : nullptr;
}

void QtAbstractPropertyBrowser::unsetFactoryForManager(QtAbstractPropertyManager *manager)
{
    QtAbstractEditorFactoryBase *factory = m_factories.take(manager);
    if (!factory)
        return;
    int &use = factory->m_browserUse[manager];
    if (--use <= 0) {
        factory->m_browserUse.remove(manager);
        factory->breakConnection(manager);
    }
}

bool QtAbstractPropertyBrowser::addFactory(QtAbstractPropertyManager *manager,
                                           QtAbstractEditorFactoryBase *factory)
{
    if (!manager || !factory || m_factories.value(manager) == factory)
        return false;
    // A later factory for the same manager replaces the earlier one.
    unsetFactoryForManager(manager);
    m_factories.insert(manager, factory);
    connect(factory, &QObject::destroyed, this,
            &QtAbstractPropertyBrowser::factoryDestroyed, Qt::UniqueConnection);
    connect(manager, &QObject::destroyed, this,
            &QtAbstractPropertyBrowser::managerDestroyed, Qt::UniqueConnection);
    return ++factory->m_browserUse[manager] == 1;
}

void QtAbstractPropertyBrowser::factoryDestroyed(QObject *factory)
{
    for (auto it = m_factories.begin(); it != m_factories.end();) {
        if (static_cast<QObject *>(it.value()) == factory)
            it = m_factories.erase(it);
        else
            ++it;
    }
}

void QtAbstractPropertyBrowser::managerDestroyed(QObject *object)
{
    // Its properties, and with them the items, are gone already.
    for (auto it = m_factories.begin(); it != m_factories.end(); ++it) {
        if (static_cast<QObject *>(it.key()) == object) {
            it.value()->m_browserUse.remove(it.key());
            m_factories.erase(it);
            break;
        }
    }
    for (auto it = m_managerUse.begin(); it != m_managerUse.end(); ++it) {
        if (static_cast<QObject *>(it.key()) == object) {
            m_managerUse.erase(it);
            break;
        }
    }
}

QtBrowserItem *QtAbstractPropertyBrowser::createItem(QtProperty *property, QtBrowserItem *parent,
                                                     QtBrowserItem *afterItem)
{
    auto *item = new QtBrowserItem(this, property, parent);
    QList<QtBrowserItem *> &siblings = parent ? parent->m_children : m_topLevelItems;
    const int position = afterItem ? siblings.lastIndexOf(afterItem) + 1 : 0;
    siblings.insert(position, item);
    m_propertyItems[property].append(item);
    retainManager(property->propertyManager());

    itemInserted(item, afterItem);

    QtBrowserItem *previous = nullptr;
    const QList<QtProperty *> children = property->subProperties();
    for (QtProperty *child : children)
        previous = createItem(child, item, previous);
    return item;
}

void QtAbstractPropertyBrowser::destroyItem(QtBrowserItem *item)
{
    while (!item->m_children.isEmpty())
        destroyItem(item->m_children.constLast());

    itemRemoved(item);
    if (m_currentItem == item)
        setCurrentItem(nullptr);

    QList<QtBrowserItem *> &siblings = item->m_parent ? item->m_parent->m_children
                                                      : m_topLevelItems;
    siblings.removeOne(item);

    QtProperty *property = item->m_property;
    auto found = m_propertyItems.find(property);
    if (found != m_propertyItems.end()) {
        found.value().removeOne(item);
        if (found.value().isEmpty())
            m_propertyItems.erase(found);
    }
    releaseManager(property->propertyManager());
    delete item;
}

void QtAbstractPropertyBrowser::retainManager(QtAbstractPropertyManager *manager)
{
    ManagerUse &use = m_managerUse[manager];
    if (use.items++ > 0)
        return;
    use.connections = {
        connect(manager, &QtAbstractPropertyManager::propertyInserted,
                this, &QtAbstractPropertyBrowser::slotPropertyInserted),
        connect(manager, &QtAbstractPropertyManager::propertyRemoved,
                this, &QtAbstractPropertyBrowser::slotPropertyRemoved),
        connect(manager, &QtAbstractPropertyManager::propertyChanged,
                this, &QtAbstractPropertyBrowser::slotPropertyChanged),
        connect(manager, &QtAbstractPropertyManager::propertyDestroyed,
                this, &QtAbstractPropertyBrowser::slotPropertyDestroyed),
    };
    connect(manager, &QObject::destroyed, this,
            &QtAbstractPropertyBrowser::managerDestroyed, Qt::UniqueConnection);
}

void QtAbstractPropertyBrowser::releaseManager(QtAbstractPropertyManager *manager)
{
    auto found = m_managerUse.find(manager);
    if (found == m_managerUse.end() || --found.value().items > 0)
        return;
    for (const QMetaObject::Connection &connection : qAsConst(found.value().connections))
        disconnect(connection);
    m_managerUse.erase(found);
}

void QtAbstractPropertyBrowser::slotPropertyInserted(QtProperty *property, QtProperty *parent,
                                                     QtProperty *after)
{
    const QList<QtBrowserItem *> parentItems = m_propertyItems.value(parent);
    for (QtBrowserItem *parentItem : parentItems) {
        QtBrowserItem *afterItem = nullptr;
        if (after) {
            const QList<QtBrowserItem *> &children = parentItem->m_children;
            for (int i = children.size() - 1; i >= 0; --i) {
                if (children.at(i)->m_property == after) {
                    afterItem = children.at(i);
                    break;
                }
            }
        }
        createItem(property, parentItem, afterItem);
    }
}

void QtAbstractPropertyBrowser::slotPropertyRemoved(QtProperty *property, QtProperty *parent)
{
    const QList<QtBrowserItem *> parentItems = m_propertyItems.value(parent);
    for (QtBrowserItem *parentItem : parentItems) {
        const QList<QtBrowserItem *> children = parentItem->m_children;
        for (QtBrowserItem *child : children) {
            if (child->m_property == property) {
                destroyItem(child);
                break;
            }
        }
    }
}

void QtAbstractPropertyBrowser::slotPropertyChanged(QtProperty *property)
{
    const QList<QtBrowserItem *> all = m_propertyItems.value(property);
    for (QtBrowserItem *item : all)
        itemChanged(item);
}

void QtAbstractPropertyBrowser::slotPropertyDestroyed(QtProperty *property)
{
    removeProperty(property);
}
