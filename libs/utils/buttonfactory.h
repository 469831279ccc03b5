#ifndef UTILS_BUTTONFACTORY_H
#define UTILS_BUTTONFACTORY_H

#include <utils/buttonmanager.h>

#include <QHash>
#include <QList>

class QPushButton;

namespace Utils {

// Push-button editors for ButtonManager properties. The caption follows the
// property's value (its name while the value is empty), the button is enabled
// with the property, and a click reaches the manager's buttonClicked.
class ButtonFactory : public QtAbstractEditorFactory<ButtonManager>
{
    Q_OBJECT
public:
    explicit ButtonFactory(QObject *parent = nullptr);
    ~ButtonFactory() override;

    using QtAbstractEditorFactory<ButtonManager>::createEditor;

protected:
    void connectPropertyManager(ButtonManager *manager) override;
    QWidget *createEditor(ButtonManager *manager, QtProperty *property,
                          QWidget *parent) override;
    void disconnectPropertyManager(ButtonManager *manager) override;

private:
    void updateEditors(QtProperty *property);
    void editorDestroyed(QObject *editor);

    QHash<QtProperty *, QList<QPushButton *>> m_editors;
    QHash<QObject *, QtProperty *> m_properties;
};

} // namespace Utils

#endif
