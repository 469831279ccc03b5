#ifndef QTSPINBOXFACTORY_H
#define QTSPINBOXFACTORY_H

#include "qtabstracteditorfactory.h"
#include "qteditorregistry.h"
#include "qtintpropertymanager.h"

class QSpinBox;

// Spin boxes for integer properties; typed digits count once the edit is done.
class QtSpinBoxFactory : public QtAbstractEditorFactory<QtIntPropertyManager>
{
    Q_OBJECT
public:
    explicit QtSpinBoxFactory(QObject *parent = nullptr);
    ~QtSpinBoxFactory() override;

protected:
    void connectPropertyManager(QtIntPropertyManager *manager) override;
    QWidget *createEditor(QtIntPropertyManager *manager, QtProperty *property, QWidget *parent) override;
    void disconnectPropertyManager(QtIntPropertyManager *manager) override;

private:
    void propertyValueChanged(QtProperty *property, int val);
    void propertyRangeChanged(QtProperty *property, int minVal, int maxVal);
    void propertySingleStepChanged(QtProperty *property, int step);
    QtEditorRegistry<QSpinBox> m_editors;
};

#endif // QTSPINBOXFACTORY_H
