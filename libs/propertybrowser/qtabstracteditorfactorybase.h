#ifndef QTABSTRACTEDITORFACTORYBASE_H
#define QTABSTRACTEDITORFACTORYBASE_H

#include <QHash>
#include <QObject>

class QWidget;
class QtProperty;
class QtAbstractPropertyManager;

// Type-free face of an editor factory, as the browsers see it.
class QtAbstractEditorFactoryBase : public QObject
{
    Q_OBJECT
public:
    virtual QWidget *createEditor(QtProperty *property, QWidget *parent) = 0;

protected:
    explicit QtAbstractEditorFactoryBase(QObject *parent = nullptr);

    virtual void breakConnection(QtAbstractPropertyManager *manager) = 0;

protected Q_SLOTS:
    virtual void managerDestroyed(QObject *manager) = 0;

private:
    friend class QtAbstractPropertyBrowser;

    // How many browsers use this factory for a manager; the factory lets go
    // of the manager when the last one does.
    QHash<QtAbstractPropertyManager *, int> m_browserUse;
};

#endif // QTABSTRACTEDITORFACTORYBASE_H
