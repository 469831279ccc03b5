#pragma once

#include <qteditorfactory.h>

namespace DirazSensorPlugin {
namespace Core {

// Check box of the tree's truth parameters. It leaves the manager alone and
// only reports the new state, so the window writes the value itself.
class ComboBoxItemDelegate1 : public QtCheckBoxFactory
{
    Q_OBJECT
public:
    explicit ComboBoxItemDelegate1(QObject *parent = nullptr);

signals:
    void stateChanged(int state);

protected:
    QWidget *createEditor(QtBoolPropertyManager *manager, QtProperty *property, QWidget *parent) override;
};

} // namespace Core
} // namespace DirazSensorPlugin
