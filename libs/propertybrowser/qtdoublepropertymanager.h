#ifndef QTDOUBLEPROPERTYMANAGER_H
#define QTDOUBLEPROPERTYMANAGER_H

#include "qtabstractpropertymanager.h"

#include <QHash>

#include <cfloat>

// Decimal properties with a range, a step and a number of decimals shown;
// values are kept inside the range.
class QtDoublePropertyManager : public QtAbstractPropertyManager
{
    Q_OBJECT
public:
    explicit QtDoublePropertyManager(QObject *parent = nullptr);
    ~QtDoublePropertyManager() override;

    double value(const QtProperty *property) const;
    double minimum(const QtProperty *property) const;
    double maximum(const QtProperty *property) const;
    double singleStep(const QtProperty *property) const;
    int decimals(const QtProperty *property) const;

public Q_SLOTS:
    void setValue(QtProperty *property, double val);
    void setMinimum(QtProperty *property, double minVal);
    void setMaximum(QtProperty *property, double maxVal);
    void setRange(QtProperty *property, double minVal, double maxVal);
    void setSingleStep(QtProperty *property, double step);
    void setDecimals(QtProperty *property, int prec);

Q_SIGNALS:
    void valueChanged(QtProperty *property, double val);
    void rangeChanged(QtProperty *property, double minVal, double maxVal);
    void singleStepChanged(QtProperty *property, double step);
    void decimalsChanged(QtProperty *property, int prec);

protected:
    QString valueText(const QtProperty *property) const override;
    void initializeProperty(QtProperty *property) override;
    void uninitializeProperty(QtProperty *property) override;

private:
    struct Data {
        double value = 0.0;
        double minimum = -DBL_MAX;
        double maximum = DBL_MAX;
        double singleStep = 1.0;
        int decimals = 2;
    };

    void applyRange(QtProperty *property, double minVal, double maxVal);

    QHash<const QtProperty *, Data> m_values;
};

#endif // QTDOUBLEPROPERTYMANAGER_H
