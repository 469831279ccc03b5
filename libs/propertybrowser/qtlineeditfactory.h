#ifndef QTLINEEDITFACTORY_H
#define QTLINEEDITFACTORY_H

#include "qtabstracteditorfactory.h"
#include "qteditorregistry.h"
#include "qtstringpropertymanager.h"

class QLineEdit;

// Line edits for text properties; the manager's expression validates the input.
class QtLineEditFactory : public QtAbstractEditorFactory<QtStringPropertyManager>
{
    Q_OBJECT
public:
    explicit QtLineEditFactory(QObject *parent = nullptr);
    ~QtLineEditFactory() override;

protected:
    void connectPropertyManager(QtStringPropertyManager *manager) override;
    QWidget *createEditor(QtStringPropertyManager *manager, QtProperty *property, QWidget *parent) override;
    void disconnectPropertyManager(QtStringPropertyManager *manager) override;

private:
    void propertyValueChanged(QtProperty *property, const QString &val);
    void propertyRegExpChanged(QtProperty *property, const QRegExp &regExp);
    QtEditorRegistry<QLineEdit> m_editors;
};

#endif // QTLINEEDITFACTORY_H
