#ifndef QTINTPROPERTYMANAGER_H
#define QTINTPROPERTYMANAGER_H

#include "qtabstractpropertymanager.h"

#include <QHash>

// Integer properties with a range and a step; values are kept inside the range.
class QtIntPropertyManager : public QtAbstractPropertyManager
{
    Q_OBJECT
public:
    explicit QtIntPropertyManager(QObject *parent = nullptr);
    ~QtIntPropertyManager() override;

    int value(const QtProperty *property) const;
    int minimum(const QtProperty *property) const;
    int maximum(const QtProperty *property) const;
    int singleStep(const QtProperty *property) const;

public Q_SLOTS:
    void setValue(QtProperty *property, int val);
    void setMinimum(QtProperty *property, int minVal);
    void setMaximum(QtProperty *property, int maxVal);
    void setRange(QtProperty *property, int minVal, int maxVal);
    void setSingleStep(QtProperty *property, int step);

Q_SIGNALS:
    void valueChanged(QtProperty *property, int val);
    void rangeChanged(QtProperty *property, int minVal, int maxVal);
    void singleStepChanged(QtProperty *property, int step);

protected:
    QString valueText(const QtProperty *property) const override;
    void initializeProperty(QtProperty *property) override;
    void uninitializeProperty(QtProperty *property) override;

private:
    struct Data {
        int value = 0;
        int minimum = -2147483647 - 1;
        int maximum = 2147483647;
        int singleStep = 1;
    };

    void applyRange(QtProperty *property, int minVal, int maxVal);

    QHash<const QtProperty *, Data> m_values;
};

#endif // QTINTPROPERTYMANAGER_H
