#ifndef QTCHECKBOXFACTORY_H
#define QTCHECKBOXFACTORY_H

#include "qtabstracteditorfactory.h"
#include "qteditorregistry.h"
#include "qtboolpropertymanager.h"

class QCheckBox;

// Check boxes for truth-value properties.
class QtCheckBoxFactory : public QtAbstractEditorFactory<QtBoolPropertyManager>
{
    Q_OBJECT
public:
    explicit QtCheckBoxFactory(QObject *parent = nullptr);
    ~QtCheckBoxFactory() override;

protected:
    void connectPropertyManager(QtBoolPropertyManager *manager) override;
    QWidget *createEditor(QtBoolPropertyManager *manager, QtProperty *property, QWidget *parent) override;
    void disconnectPropertyManager(QtBoolPropertyManager *manager) override;

private:
    void propertyValueChanged(QtProperty *property, bool val);
    QtEditorRegistry<QCheckBox> m_editors;
};

#endif // QTCHECKBOXFACTORY_H
