#pragma once

#include <qteditorfactory.h>

#include <QString>

namespace DirazSensorPlugin {
namespace Core {

// Line editor of the tree's text parameters. It leaves the manager alone and
// only reports typing and leaving, so the window decides what a text edit
// does.
class ComboBoxItemDelegate : public QtLineEditFactory
{
    Q_OBJECT
public:
    explicit ComboBoxItemDelegate(QObject *parent = nullptr);

signals:
    void textEdited(QString text);
    void editingFinished();

protected:
    QWidget *createEditor(QtStringPropertyManager *manager, QtProperty *property, QWidget *parent) override;
};

} // namespace Core
} // namespace DirazSensorPlugin
