#include "comboboxitemdelegate1.h"

#include <qtpropertymanager.h>

#include <QCheckBox>

namespace DirazSensorPlugin {
namespace Core {

ComboBoxItemDelegate1::ComboBoxItemDelegate1(QObject *parent)
    : QtCheckBoxFactory(parent)
{
}

QWidget *ComboBoxItemDelegate1::createEditor(QtBoolPropertyManager *manager, QtProperty *property, QWidget *parent)
{
    auto *editor = new QCheckBox(parent);
    editor->setChecked(manager->value(property));
    editor->setStyleSheet(QStringLiteral("QCheckBox::indicator {left:3px;top:0px;}"));
    editor->setFocus();
    connect(editor, &QCheckBox::stateChanged, this, &ComboBoxItemDelegate1::stateChanged, Qt::DirectConnection);
    return editor;
}

} // namespace Core
} // namespace DirazSensorPlugin
