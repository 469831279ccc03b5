#ifndef QTDOUBLESPINBOXFACTORY_H
#define QTDOUBLESPINBOXFACTORY_H

#include "qtabstracteditorfactory.h"
#include "qteditorregistry.h"
#include "qtdoublepropertymanager.h"

class QDoubleSpinBox;

// Decimal spin boxes for decimal properties.
class QtDoubleSpinBoxFactory : public QtAbstractEditorFactory<QtDoublePropertyManager>
{
    Q_OBJECT
public:
    explicit QtDoubleSpinBoxFactory(QObject *parent = nullptr);
    ~QtDoubleSpinBoxFactory() override;

protected:
    void connectPropertyManager(QtDoublePropertyManager *manager) override;
    QWidget *createEditor(QtDoublePropertyManager *manager, QtProperty *property, QWidget *parent) override;
    void disconnectPropertyManager(QtDoublePropertyManager *manager) override;

private:
    void propertyValueChanged(QtProperty *property, double val);
    void propertyRangeChanged(QtProperty *property, double minVal, double maxVal);
    void propertySingleStepChanged(QtProperty *property, double step);
    void propertyDecimalsChanged(QtProperty *property, int prec);
    QtEditorRegistry<QDoubleSpinBox> m_editors;
};

#endif // QTDOUBLESPINBOXFACTORY_H
