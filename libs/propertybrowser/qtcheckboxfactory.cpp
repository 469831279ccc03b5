#include "qtcheckboxfactory.h"

#include <QCheckBox>
#include <QSignalBlocker>

QtCheckBoxFactory::QtCheckBoxFactory(QObject *parent)
    : QtAbstractEditorFactory<QtBoolPropertyManager>(parent)
{
}

QtCheckBoxFactory::~QtCheckBoxFactory() = default;

void QtCheckBoxFactory::connectPropertyManager(QtBoolPropertyManager *manager)
{
    connect(manager, &QtBoolPropertyManager::valueChanged,
            this, &QtCheckBoxFactory::propertyValueChanged);
}

void QtCheckBoxFactory::disconnectPropertyManager(QtBoolPropertyManager *manager)
{
    disconnect(manager, &QtBoolPropertyManager::valueChanged,
               this, &QtCheckBoxFactory::propertyValueChanged);
}

QWidget *QtCheckBoxFactory::createEditor(QtBoolPropertyManager *manager, QtProperty *property,
                                         QWidget *parent)
{
    auto *editor = new QCheckBox(parent);
    editor->setChecked(manager->value(property));
    // The row behind must not show through the editor.
    editor->setAutoFillBackground(true);
    editor->setEnabled(property->isEnabled());
    m_editors.add(property, editor, this);

    connect(editor, &QCheckBox::toggled, this, [this, editor](bool checked) {
        QtProperty *edited = m_editors.property(editor);
        if (QtBoolPropertyManager *owner = propertyManager(edited))
            owner->setValue(edited, checked);
    });
    return editor;
}

void QtCheckBoxFactory::propertyValueChanged(QtProperty *property, bool val)
{
    const QList<QCheckBox *> editors = m_editors.editors(property);
    for (QCheckBox *editor : editors) {
        if (editor->isChecked() != val) {
            const QSignalBlocker blocker(editor);
            editor->setChecked(val);
        }
    }
}
