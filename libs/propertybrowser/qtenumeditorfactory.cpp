#include "qtenumeditorfactory.h"

#include <QComboBox>
#include <QSignalBlocker>

QtEnumEditorFactory::QtEnumEditorFactory(QObject *parent)
    : QtAbstractEditorFactory<QtEnumPropertyManager>(parent)
{
}

QtEnumEditorFactory::~QtEnumEditorFactory() = default;

void QtEnumEditorFactory::connectPropertyManager(QtEnumPropertyManager *manager)
{
    connect(manager, &QtEnumPropertyManager::valueChanged,
            this, &QtEnumEditorFactory::propertyValueChanged);
    connect(manager, &QtEnumPropertyManager::enumNamesChanged,
            this, &QtEnumEditorFactory::propertyEnumNamesChanged);
    connect(manager, &QtEnumPropertyManager::enumIconsChanged,
            this, &QtEnumEditorFactory::propertyEnumIconsChanged);
}

void QtEnumEditorFactory::disconnectPropertyManager(QtEnumPropertyManager *manager)
{
    disconnect(manager, &QtEnumPropertyManager::valueChanged,
               this, &QtEnumEditorFactory::propertyValueChanged);
    disconnect(manager, &QtEnumPropertyManager::enumNamesChanged,
               this, &QtEnumEditorFactory::propertyEnumNamesChanged);
    disconnect(manager, &QtEnumPropertyManager::enumIconsChanged,
               this, &QtEnumEditorFactory::propertyEnumIconsChanged);
}

void QtEnumEditorFactory::fill(QComboBox *editor, const QtEnumPropertyManager *manager,
                               const QtProperty *property) const
{
    const QSignalBlocker blocker(editor);
    editor->clear();
    const QStringList names = manager->enumNames(property);
    const QMap<int, QIcon> icons = manager->enumIcons(property);
    for (int i = 0; i < names.size(); ++i)
        editor->addItem(icons.value(i), names.at(i));
    editor->setCurrentIndex(manager->value(property));
}

QWidget *QtEnumEditorFactory::createEditor(QtEnumPropertyManager *manager, QtProperty *property,
                                           QWidget *parent)
{
    auto *editor = new QComboBox(parent);
    editor->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    editor->setMinimumContentsLength(1);
    fill(editor, manager, property);
    editor->setEnabled(property->isEnabled());
    m_editors.add(property, editor, this);

    connect(editor, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            [this, editor](int index) {
                QtProperty *edited = m_editors.property(editor);
                if (QtEnumPropertyManager *owner = propertyManager(edited))
                    owner->setValue(edited, index);
            });
    return editor;
}

void QtEnumEditorFactory::propertyValueChanged(QtProperty *property, int val)
{
    const QList<QComboBox *> editors = m_editors.editors(property);
    for (QComboBox *editor : editors) {
        if (editor->currentIndex() != val) {
            const QSignalBlocker blocker(editor);
            editor->setCurrentIndex(val);
        }
    }
}

void QtEnumEditorFactory::propertyEnumNamesChanged(QtProperty *property, const QStringList &)
{
    const QtEnumPropertyManager *manager = propertyManager(property);
    if (!manager)
        return;
    const QList<QComboBox *> editors = m_editors.editors(property);
    for (QComboBox *editor : editors)
        fill(editor, manager, property);
}

void QtEnumEditorFactory::propertyEnumIconsChanged(QtProperty *property,
                                                   const QMap<int, QIcon> &icons)
{
    const QList<QComboBox *> editors = m_editors.editors(property);
    for (QComboBox *editor : editors) {
        for (int i = 0; i < editor->count(); ++i)
            editor->setItemIcon(i, icons.value(i));
    }
}
