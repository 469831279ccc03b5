#ifndef UTILS_THRESHOLDMULTIMANAGER_H
#define UTILS_THRESHOLDMULTIMANAGER_H

#include <QMap>
#include <QObject>
#include <QPair>

namespace Utils {

class ThresholdWindowWidgetGeneric;

// Keeps the low, middle and high threshold of each switching output (1-based)
// per plot, so the marks of whichever output is selected can be restored.
class ThresholdMultiManager : public QObject
{
    Q_OBJECT
public:
    explicit ThresholdMultiManager(int outputs, QObject *parent = nullptr);

    int outputCount() const { return m_outputs; }

    void setLow(int output, int plot, double value);
    void setMiddle(int output, int plot, double value);
    void setHigh(int output, int plot, double value);
    double low(int output, int plot) const;
    double middle(int output, int plot) const;
    double high(int output, int plot) const;
    bool hasValues(int output, int plot) const;

    // Moves the widget's marks to the stored values of `output` (without
    // the widget emitting); false when nothing is stored.
    bool applyTo(ThresholdWindowWidgetGeneric *widget, int output, int plot) const;

signals:
    void valuesChanged(int output, int plot);

private:
    struct Values
    {
        double low = 0.0;
        double middle = 0.0;
        double high = 0.0;
    };
    Values *values(int output, int plot);

    int m_outputs;
    QMap<QPair<int, int>, Values> m_values;
};

} // namespace Utils

#endif
