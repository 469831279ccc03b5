#include "qtabstractpropertymanager.h"

#include "qtproperty.h"

QtAbstractPropertyManager::QtAbstractPropertyManager(QObject *parent)
    : QObject(parent)
{
}

QtAbstractPropertyManager::~QtAbstractPropertyManager()
{
    // Derived managers clear in their own destructors so that their
    // uninitializeProperty still runs; this catches what is left.
    clear();
}

QSet<QtProperty *> QtAbstractPropertyManager::properties() const
{
    return m_properties;
}

void QtAbstractPropertyManager::clear() const
{
    while (!m_properties.isEmpty())
        delete *m_properties.cbegin();
}

QtProperty *QtAbstractPropertyManager::addProperty(const QString &name)
{
    QtProperty *property = createProperty();
    if (!property)
        return nullptr;
    property->setPropertyName(name);
    m_properties.insert(property);
    initializeProperty(property);
    return property;
}

bool QtAbstractPropertyManager::hasValue(const QtProperty *) const
{
    return true;
}

QIcon QtAbstractPropertyManager::valueIcon(const QtProperty *) const
{
    return QIcon();
}

QString QtAbstractPropertyManager::valueText(const QtProperty *) const
{
    return QString();
}

void QtAbstractPropertyManager::uninitializeProperty(QtProperty *)
{
}

QtProperty *QtAbstractPropertyManager::createProperty()
{
    return new QtProperty(this);
}

void QtAbstractPropertyManager::propertyDestroying(QtProperty *property)
{
    if (!m_properties.contains(property))
        return;
    emit propertyDestroyed(property);
    uninitializeProperty(property);
    m_properties.remove(property);
}
