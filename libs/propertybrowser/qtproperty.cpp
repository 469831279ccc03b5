#include "qtproperty.h"

#include "qtabstractpropertymanager.h"

QtProperty::QtProperty(QtAbstractPropertyManager *manager)
    : m_manager(manager)
{
}

QtProperty::~QtProperty()
{
    // Leave every parent first, so that browsers drop the rows while the
    // property is still whole.
    while (!m_parents.isEmpty())
        m_parents.constLast()->removeSubProperty(this);

    m_manager->propertyDestroying(this);

    // Children survive their parent; they only forget it.
    for (QtProperty *child : qAsConst(m_subProperties))
        child->m_parents.removeOne(this);
}

QList<QtProperty *> QtProperty::subProperties() const { return m_subProperties; }
QtAbstractPropertyManager *QtProperty::propertyManager() const { return m_manager; }
QString QtProperty::toolTip() const { return m_toolTip; }
QString QtProperty::statusTip() const { return m_statusTip; }
QString QtProperty::whatsThis() const { return m_whatsThis; }
QString QtProperty::propertyName() const { return m_name; }
bool QtProperty::isEnabled() const { return m_enabled; }
bool QtProperty::isModified() const { return m_modified; }
QString QtProperty::propertyId() const { return m_id; }

bool QtProperty::hasValue() const
{
    return m_manager->hasValue(this);
}

QIcon QtProperty::valueIcon() const
{
    return m_manager->valueIcon(this);
}

QString QtProperty::valueText() const
{
    return m_manager->valueText(this);
}

void QtProperty::setToolTip(const QString &text)
{
    if (m_toolTip == text)
        return;
    m_toolTip = text;
    propertyChanged();
}

void QtProperty::setStatusTip(const QString &text)
{
    if (m_statusTip == text)
        return;
    m_statusTip = text;
    propertyChanged();
}

void QtProperty::setWhatsThis(const QString &text)
{
    if (m_whatsThis == text)
        return;
    m_whatsThis = text;
    propertyChanged();
}

void QtProperty::setPropertyName(const QString &text)
{
    if (m_name == text)
        return;
    m_name = text;
    propertyChanged();
}

void QtProperty::setEnabled(bool enable)
{
    if (m_enabled == enable)
        return;
    m_enabled = enable;
    propertyChanged();
}

void QtProperty::setModified(bool modified)
{
    if (m_modified == modified)
        return;
    m_modified = modified;
    propertyChanged();
}

void QtProperty::setPropertyId(const QString &id)
{
    // Nothing visible depends on the id, so no change notice.
    m_id = id;
}

void QtProperty::addSubProperty(QtProperty *property)
{
    insertSubProperty(property, m_subProperties.isEmpty() ? nullptr : m_subProperties.constLast());
}

bool QtProperty::isAncestorOrSelf(const QtProperty *candidate) const
{
    if (candidate == this)
        return true;
    for (const QtProperty *parent : m_parents) {
        if (parent->isAncestorOrSelf(candidate))
            return true;
    }
    return false;
}

void QtProperty::insertSubProperty(QtProperty *property, QtProperty *afterProperty)
{
    if (!property)
        return;
    // Already a child, or inserting would close a cycle.
    if (property->m_parents.contains(this) || isAncestorOrSelf(property))
        return;

    int position = 0;
    QtProperty *after = nullptr;
    if (afterProperty) {
        // Appending is the common case: search from the end.
        const int index = m_subProperties.lastIndexOf(afterProperty);
        if (index >= 0) {
            position = index + 1;
            after = afterProperty;
        }
    }
    m_subProperties.insert(position, property);
    property->m_parents.append(this);
    emit m_manager->propertyInserted(property, this, after);
}

void QtProperty::removeSubProperty(QtProperty *property)
{
    if (!property)
        return;
    const int index = m_subProperties.indexOf(property);
    if (index < 0)
        return;
    // Announce first, so browsers still find the child's rows.
    emit m_manager->propertyRemoved(property, this);
    m_subProperties.removeAt(index);
    property->m_parents.removeOne(this);
}

void QtProperty::propertyChanged()
{
    emit m_manager->propertyChanged(this);
}
