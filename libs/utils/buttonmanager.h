#ifndef UTILS_BUTTONMANAGER_H
#define UTILS_BUTTONMANAGER_H

#include <qtpropertybrowser.h>

#include <QMap>
#include <QString>

namespace Utils {

// Properties that are push buttons: the value is the button's caption, and
// clicking the button (ButtonFactory) emits buttonClicked.
class ButtonManager : public QtAbstractPropertyManager
{
    Q_OBJECT
public:
    explicit ButtonManager(QObject *parent = nullptr);
    ~ButtonManager() override;

    QString value(const QtProperty *property) const;

public slots:
    void setValue(QtProperty *property, const QString &value);
    // Emits buttonClicked for an enabled property of this manager.
    void click(QtProperty *property);

signals:
    void valueChanged(QtProperty *property, const QString &value);
    void buttonClicked(QtProperty *property);

protected:
    QString valueText(const QtProperty *property) const override;
    void initializeProperty(QtProperty *property) override;
    void uninitializeProperty(QtProperty *property) override;

private:
    QMap<const QtProperty *, QString> m_values;
};

} // namespace Utils

#endif
