#ifndef QTABSTRACTEDITORFACTORY_H
#define QTABSTRACTEDITORFACTORY_H

#include "qtabstracteditorfactorybase.h"
#include "qtproperty.h"

#include <QSet>

// Editor factory for the properties of one manager type. A subclass connects
// to the managers it serves and creates editors bound to a property.
template <class PropertyManager>
class QtAbstractEditorFactory : public QtAbstractEditorFactoryBase
{
public:
    explicit QtAbstractEditorFactory(QObject *parent)
        : QtAbstractEditorFactoryBase(parent)
    {
    }

    QWidget *createEditor(QtProperty *property, QWidget *parent) override
    {
        PropertyManager *manager = propertyManager(property);
        return manager ? createEditor(manager, property, parent) : nullptr;
    }

    void addPropertyManager(PropertyManager *manager)
    {
        if (!manager || m_managers.contains(manager))
            return;
        m_managers.insert(manager);
        connectPropertyManager(manager);
        QObject::connect(manager, &QObject::destroyed,
                         this, &QtAbstractEditorFactory::managerDestroyed);
    }

    void removePropertyManager(PropertyManager *manager)
    {
        if (!manager || !m_managers.remove(manager))
            return;
        QObject::disconnect(manager, &QObject::destroyed,
                            this, &QtAbstractEditorFactory::managerDestroyed);
        disconnectPropertyManager(manager);
    }

    QSet<PropertyManager *> propertyManagers() const { return m_managers; }

    PropertyManager *propertyManager(QtProperty *property) const
    {
        if (!property)
            return nullptr;
        const QtAbstractPropertyManager *owner = property->propertyManager();
        for (PropertyManager *manager : m_managers) {
            if (manager == owner)
                return manager;
        }
        return nullptr;
    }

protected:
    virtual void connectPropertyManager(PropertyManager *manager) = 0;
    virtual QWidget *createEditor(PropertyManager *manager, QtProperty *property,
                                  QWidget *parent) = 0;
    virtual void disconnectPropertyManager(PropertyManager *manager) = 0;

    void managerDestroyed(QObject *object) override
    {
        // The manager is past its own destructor: compare addresses only.
        for (PropertyManager *manager : qAsConst(m_managers)) {
            if (static_cast<QObject *>(manager) == object) {
                m_managers.remove(manager);
                return;
            }
        }
    }

private:
    void breakConnection(QtAbstractPropertyManager *abstractManager) override
    {
        for (PropertyManager *manager : qAsConst(m_managers)) {
            if (manager == abstractManager) {
                removePropertyManager(manager);
                return;
            }
        }
    }

    QSet<PropertyManager *> m_managers;
};

#endif // QTABSTRACTEDITORFACTORY_H
