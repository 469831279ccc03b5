#ifndef QTENUMEDITORFACTORY_H
#define QTENUMEDITORFACTORY_H

#include "qtabstracteditorfactory.h"
#include "qteditorregistry.h"
#include "qtenumpropertymanager.h"

class QComboBox;

// Drop-down lists for enumeration properties.
class QtEnumEditorFactory : public QtAbstractEditorFactory<QtEnumPropertyManager>
{
    Q_OBJECT
public:
    explicit QtEnumEditorFactory(QObject *parent = nullptr);
    ~QtEnumEditorFactory() override;

protected:
    void connectPropertyManager(QtEnumPropertyManager *manager) override;
    QWidget *createEditor(QtEnumPropertyManager *manager, QtProperty *property, QWidget *parent) override;
    void disconnectPropertyManager(QtEnumPropertyManager *manager) override;

private:
    void propertyValueChanged(QtProperty *property, int val);
    void propertyEnumNamesChanged(QtProperty *property, const QStringList &names);
    void propertyEnumIconsChanged(QtProperty *property, const QMap<int, QIcon> &icons);
    void fill(QComboBox *editor, const QtEnumPropertyManager *manager,
              const QtProperty *property) const;
    QtEditorRegistry<QComboBox> m_editors;
};

#endif // QTENUMEDITORFACTORY_H
