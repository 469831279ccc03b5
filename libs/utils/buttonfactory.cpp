#include <utils/buttonfactory.h>

#include <QPushButton>

#include <algorithm>

namespace Utils {

namespace {

QString caption(const ButtonManager *manager, const QtProperty *property)
{
    const QString value = manager->value(property);
    return value.isEmpty() ? property->propertyName() : value;
}

} // namespace

ButtonFactory::ButtonFactory(QObject *parent)
    : QtAbstractEditorFactory<ButtonManager>(parent)
{
}

ButtonFactory::~ButtonFactory()
{
    // Editors still alive must not call back into a dead factory.
    for (QObject *editor : m_properties.keys())
        disconnect(editor, nullptr, this, nullptr);
}

void ButtonFactory::connectPropertyManager(ButtonManager *manager)
{
    connect(manager, &ButtonManager::propertyChanged, this, &ButtonFactory::updateEditors);
}

void ButtonFactory::disconnectPropertyManager(ButtonManager *manager)
{
    disconnect(manager, &ButtonManager::propertyChanged, this, &ButtonFactory::updateEditors);
}

QWidget *ButtonFactory::createEditor(ButtonManager *manager, QtProperty *property,
                                     QWidget *parent)
{
    auto *button = new QPushButton(caption(manager, property), parent);
    button->setEnabled(property->isEnabled());
    m_editors[property].append(button);
    m_properties.insert(button, property);
    connect(button, &QObject::destroyed, this, &ButtonFactory::editorDestroyed);
    connect(button, &QPushButton::clicked, this, [this, button] {
        QtProperty *clicked = m_properties.value(button);
        if (ButtonManager *owner = propertyManager(clicked))
            owner->click(clicked);
    });
    return button;
}

void ButtonFactory::updateEditors(QtProperty *property)
{
    ButtonManager *manager = propertyManager(property);
    if (!manager)
        return;
    for (QPushButton *button : m_editors.value(property)) {
        button->setText(caption(manager, property));
        button->setEnabled(property->isEnabled());
    }
}

void ButtonFactory::editorDestroyed(QObject *editor)
{
    QtProperty *property = m_properties.take(editor);
    auto it = m_editors.find(property);
    if (it == m_editors.end())
        return;
    // Only the QObject part is left: compare addresses.
    it->erase(std::remove_if(it->begin(), it->end(),
                             [editor](QPushButton *b) { return static_cast<QObject *>(b) == editor; }),
              it->end());
    if (it->isEmpty())
        m_editors.erase(it);
}

} // namespace Utils
