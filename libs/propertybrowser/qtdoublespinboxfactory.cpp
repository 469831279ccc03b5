#include "qtdoublespinboxfactory.h"

#include <QDoubleSpinBox>
#include <QSignalBlocker>

QtDoubleSpinBoxFactory::QtDoubleSpinBoxFactory(QObject *parent)
    : QtAbstractEditorFactory<QtDoublePropertyManager>(parent)
{
}

QtDoubleSpinBoxFactory::~QtDoubleSpinBoxFactory() = default;

void QtDoubleSpinBoxFactory::connectPropertyManager(QtDoublePropertyManager *manager)
{
    connect(manager, &QtDoublePropertyManager::valueChanged,
            this, &QtDoubleSpinBoxFactory::propertyValueChanged);
    connect(manager, &QtDoublePropertyManager::rangeChanged,
            this, &QtDoubleSpinBoxFactory::propertyRangeChanged);
    connect(manager, &QtDoublePropertyManager::singleStepChanged,
            this, &QtDoubleSpinBoxFactory::propertySingleStepChanged);
    connect(manager, &QtDoublePropertyManager::decimalsChanged,
            this, &QtDoubleSpinBoxFactory::propertyDecimalsChanged);
}

void QtDoubleSpinBoxFactory::disconnectPropertyManager(QtDoublePropertyManager *manager)
{
    disconnect(manager, &QtDoublePropertyManager::valueChanged,
               this, &QtDoubleSpinBoxFactory::propertyValueChanged);
    disconnect(manager, &QtDoublePropertyManager::rangeChanged,
               this, &QtDoubleSpinBoxFactory::propertyRangeChanged);
    disconnect(manager, &QtDoublePropertyManager::singleStepChanged,
               this, &QtDoubleSpinBoxFactory::propertySingleStepChanged);
    disconnect(manager, &QtDoublePropertyManager::decimalsChanged,
               this, &QtDoubleSpinBoxFactory::propertyDecimalsChanged);
}

QWidget *QtDoubleSpinBoxFactory::createEditor(QtDoublePropertyManager *manager,
                                              QtProperty *property, QWidget *parent)
{
    auto *editor = new QDoubleSpinBox(parent);
    // Decimals first: the spin box rounds range and value to them.
    editor->setDecimals(manager->decimals(property));
    editor->setRange(manager->minimum(property), manager->maximum(property));
    editor->setSingleStep(manager->singleStep(property));
    editor->setValue(manager->value(property));
    editor->setKeyboardTracking(false);
    editor->setEnabled(property->isEnabled());
    m_editors.add(property, editor, this);

    connect(editor, QOverload<double>::of(&QDoubleSpinBox::valueChanged), this,
            [this, editor](double val) {
                QtProperty *edited = m_editors.property(editor);
                if (QtDoublePropertyManager *owner = propertyManager(edited))
                    owner->setValue(edited, val);
            });
    return editor;
}

void QtDoubleSpinBoxFactory::propertyValueChanged(QtProperty *property, double val)
{
    const QList<QDoubleSpinBox *> editors = m_editors.editors(property);
    for (QDoubleSpinBox *editor : editors) {
        if (editor->value() != val) {
            const QSignalBlocker blocker(editor);
            editor->setValue(val);
        }
    }
}

void QtDoubleSpinBoxFactory::propertyRangeChanged(QtProperty *property, double minVal,
                                                  double maxVal)
{
    const QtDoublePropertyManager *manager = propertyManager(property);
    if (!manager)
        return;
    const QList<QDoubleSpinBox *> editors = m_editors.editors(property);
    for (QDoubleSpinBox *editor : editors) {
        const QSignalBlocker blocker(editor);
        editor->setRange(minVal, maxVal);
        editor->setValue(manager->value(property));
    }
}

void QtDoubleSpinBoxFactory::propertySingleStepChanged(QtProperty *property, double step)
{
    const QList<QDoubleSpinBox *> editors = m_editors.editors(property);
    for (QDoubleSpinBox *editor : editors) {
        const QSignalBlocker blocker(editor);
        editor->setSingleStep(step);
    }
}

void QtDoubleSpinBoxFactory::propertyDecimalsChanged(QtProperty *property, int prec)
{
    const QtDoublePropertyManager *manager = propertyManager(property);
    if (!manager)
        return;
    const QList<QDoubleSpinBox *> editors = m_editors.editors(property);
    for (QDoubleSpinBox *editor : editors) {
        const QSignalBlocker blocker(editor);
        editor->setDecimals(prec);
        editor->setValue(manager->value(property));
    }
}
