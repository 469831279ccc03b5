#include "qtspinboxfactory.h"

#include <QSignalBlocker>
#include <QSpinBox>

QtSpinBoxFactory::QtSpinBoxFactory(QObject *parent)
    : QtAbstractEditorFactory<QtIntPropertyManager>(parent)
{
}

QtSpinBoxFactory::~QtSpinBoxFactory() = default;

void QtSpinBoxFactory::connectPropertyManager(QtIntPropertyManager *manager)
{
    connect(manager, &QtIntPropertyManager::valueChanged,
            this, &QtSpinBoxFactory::propertyValueChanged);
    connect(manager, &QtIntPropertyManager::rangeChanged,
            this, &QtSpinBoxFactory::propertyRangeChanged);
    connect(manager, &QtIntPropertyManager::singleStepChanged,
            this, &QtSpinBoxFactory::propertySingleStepChanged);
}

void QtSpinBoxFactory::disconnectPropertyManager(QtIntPropertyManager *manager)
{
    disconnect(manager, &QtIntPropertyManager::valueChanged,
               this, &QtSpinBoxFactory::propertyValueChanged);
    disconnect(manager, &QtIntPropertyManager::rangeChanged,
               this, &QtSpinBoxFactory::propertyRangeChanged);
    disconnect(manager, &QtIntPropertyManager::singleStepChanged,
               this, &QtSpinBoxFactory::propertySingleStepChanged);
}

QWidget *QtSpinBoxFactory::createEditor(QtIntPropertyManager *manager, QtProperty *property,
                                        QWidget *parent)
{
    auto *editor = new QSpinBox(parent);
    editor->setRange(manager->minimum(property), manager->maximum(property));
    editor->setSingleStep(manager->singleStep(property));
    editor->setValue(manager->value(property));
    // Intermediate texts while typing would each become a value.
    editor->setKeyboardTracking(false);
    editor->setEnabled(property->isEnabled());
    m_editors.add(property, editor, this);

    connect(editor, QOverload<int>::of(&QSpinBox::valueChanged), this, [this, editor](int val) {
        QtProperty *edited = m_editors.property(editor);
        if (QtIntPropertyManager *owner = propertyManager(edited))
            owner->setValue(edited, val);
    });
    return editor;
}

void QtSpinBoxFactory::propertyValueChanged(QtProperty *property, int val)
{
    const QList<QSpinBox *> editors = m_editors.editors(property);
    for (QSpinBox *editor : editors) {
        if (editor->value() != val) {
            const QSignalBlocker blocker(editor);
            editor->setValue(val);
        }
    }
}

void QtSpinBoxFactory::propertyRangeChanged(QtProperty *property, int minVal, int maxVal)
{
    const QtIntPropertyManager *manager = propertyManager(property);
    if (!manager)
        return;
    const QList<QSpinBox *> editors = m_editors.editors(property);
    for (QSpinBox *editor : editors) {
        const QSignalBlocker blocker(editor);
        editor->setRange(minVal, maxVal);
        editor->setValue(manager->value(property));
    }
}

void QtSpinBoxFactory::propertySingleStepChanged(QtProperty *property, int step)
{
    const QList<QSpinBox *> editors = m_editors.editors(property);
    for (QSpinBox *editor : editors) {
        const QSignalBlocker blocker(editor);
        editor->setSingleStep(step);
    }
}
