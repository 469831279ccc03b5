#ifndef QTPROPERTY_H
#define QTPROPERTY_H

#include <QIcon>
#include <QList>
#include <QString>

class QtAbstractPropertyManager;

// One node of a property tree. The value lives in the manager that created
// the property; the property itself carries the descriptive texts, the
// enabled state and its sub-properties. A property may be a sub-property of
// several parents.
class QtProperty
{
public:
    virtual ~QtProperty();

    QList<QtProperty *> subProperties() const;
    QtAbstractPropertyManager *propertyManager() const;

    QString toolTip() const;
    QString statusTip() const;
    QString whatsThis() const;
    QString propertyName() const;
    bool isEnabled() const;
    bool isModified() const;

    bool hasValue() const;
    QIcon valueIcon() const;
    QString valueText() const;

    void setToolTip(const QString &text);
    void setStatusTip(const QString &text);
    void setWhatsThis(const QString &text);
    void setPropertyName(const QString &text);
    void setEnabled(bool enable);
    void setModified(bool modified);

    // A free identifier for finding a property independently of its caption.
    void setPropertyId(const QString &id);
    QString propertyId() const;

    void addSubProperty(QtProperty *property);
    void insertSubProperty(QtProperty *property, QtProperty *afterProperty);
    void removeSubProperty(QtProperty *property);

protected:
    explicit QtProperty(QtAbstractPropertyManager *manager);
    void propertyChanged();

private:
    friend class QtAbstractPropertyManager;

    bool isAncestorOrSelf(const QtProperty *candidate) const;

    QtAbstractPropertyManager *m_manager;
    QList<QtProperty *> m_subProperties;
    QList<QtProperty *> m_parents;
    QString m_name;
    QString m_id;
    QString m_toolTip;
    QString m_statusTip;
    QString m_whatsThis;
    bool m_enabled = true;
    bool m_modified = false;

    Q_DISABLE_COPY(QtProperty)
};

#endif // QTPROPERTY_H
