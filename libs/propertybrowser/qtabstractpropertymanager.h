#ifndef QTABSTRACTPROPERTYMANAGER_H
#define QTABSTRACTPROPERTYMANAGER_H

#include <QIcon>
#include <QObject>
#include <QSet>
#include <QString>

class QtProperty;

// Base of all property managers: creates and owns properties and announces
// structural and value changes to the browsers that show them.
class QtAbstractPropertyManager : public QObject
{
    Q_OBJECT
public:
    explicit QtAbstractPropertyManager(QObject *parent = nullptr);
    ~QtAbstractPropertyManager() override;

    QSet<QtProperty *> properties() const;
    // Deletes every property this manager created.
    void clear() const;

    QtProperty *addProperty(const QString &name = QString());

Q_SIGNALS:
    void propertyInserted(QtProperty *property, QtProperty *parent, QtProperty *after);
    void propertyChanged(QtProperty *property);
    void propertyRemoved(QtProperty *property, QtProperty *parent);
    void propertyDestroyed(QtProperty *property);

protected:
    virtual bool hasValue(const QtProperty *property) const;
    virtual QIcon valueIcon(const QtProperty *property) const;
    virtual QString valueText(const QtProperty *property) const;
    virtual void initializeProperty(QtProperty *property) = 0;
    virtual void uninitializeProperty(QtProperty *property);
    virtual QtProperty *createProperty();

private:
    friend class QtProperty;

    void propertyDestroying(QtProperty *property);

    QSet<QtProperty *> m_properties;
};

#endif // QTABSTRACTPROPERTYMANAGER_H
