#include "comboboxitemdelegate.h"

#include <qtpropertymanager.h>

#include <QLineEdit>

namespace DirazSensorPlugin {
namespace Core {

ComboBoxItemDelegate::ComboBoxItemDelegate(QObject *parent)
    : QtLineEditFactory(parent)
{
}

QWidget *ComboBoxItemDelegate::createEditor(QtStringPropertyManager *manager, QtProperty *property, QWidget *parent)
{
    auto *editor = new QLineEdit(parent);
    editor->setMaxLength(32);
    editor->setText(manager->value(property));
    connect(editor, &QLineEdit::textChanged, this, &ComboBoxItemDelegate::textEdited, Qt::DirectConnection);
    connect(editor, &QLineEdit::editingFinished, this, &ComboBoxItemDelegate::editingFinished, Qt::DirectConnection);
    return editor;
}

} // namespace Core
} // namespace DirazSensorPlugin
