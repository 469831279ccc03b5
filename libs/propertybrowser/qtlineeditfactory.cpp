#include "qtlineeditfactory.h"

#include <QLineEdit>
#include <QRegExpValidator>
#include <QSignalBlocker>

namespace {

void applyRegExp(QLineEdit *editor, const QRegExp &regExp)
{
    const QValidator *old = editor->validator();
    QValidator *validator = nullptr;
    if (!regExp.isEmpty() && regExp.isValid())
        validator = new QRegExpValidator(regExp, editor);
    editor->setValidator(validator);
    delete old;
}

} // namespace

QtLineEditFactory::QtLineEditFactory(QObject *parent)
    : QtAbstractEditorFactory<QtStringPropertyManager>(parent)
{
}

QtLineEditFactory::~QtLineEditFactory() = default;

void QtLineEditFactory::connectPropertyManager(QtStringPropertyManager *manager)
{
    connect(manager, &QtStringPropertyManager::valueChanged,
            this, &QtLineEditFactory::propertyValueChanged);
    connect(manager, &QtStringPropertyManager::regExpChanged,
            this, &QtLineEditFactory::propertyRegExpChanged);
}

void QtLineEditFactory::disconnectPropertyManager(QtStringPropertyManager *manager)
{
    disconnect(manager, &QtStringPropertyManager::valueChanged,
               this, &QtLineEditFactory::propertyValueChanged);
    disconnect(manager, &QtStringPropertyManager::regExpChanged,
               this, &QtLineEditFactory::propertyRegExpChanged);
}

QWidget *QtLineEditFactory::createEditor(QtStringPropertyManager *manager, QtProperty *property,
                                         QWidget *parent)
{
    auto *editor = new QLineEdit(parent);
    applyRegExp(editor, manager->regExp(property));
    editor->setText(manager->value(property));
    editor->setEnabled(property->isEnabled());
    m_editors.add(property, editor, this);

    // Only what the user types goes back; texts set from the manager do not.
    connect(editor, &QLineEdit::textEdited, this, [this, editor](const QString &text) {
        QtProperty *edited = m_editors.property(editor);
        if (QtStringPropertyManager *owner = propertyManager(edited))
            owner->setValue(edited, text);
    });
    return editor;
}

void QtLineEditFactory::propertyValueChanged(QtProperty *property, const QString &val)
{
    const QList<QLineEdit *> editors = m_editors.editors(property);
    for (QLineEdit *editor : editors) {
        if (editor->text() != val) {
            const QSignalBlocker blocker(editor);
            editor->setText(val);
        }
    }
}

void QtLineEditFactory::propertyRegExpChanged(QtProperty *property, const QRegExp &regExp)
{
    const QList<QLineEdit *> editors = m_editors.editors(property);
    for (QLineEdit *editor : editors) {
        const QSignalBlocker blocker(editor);
        applyRegExp(editor, regExp);
    }
}
