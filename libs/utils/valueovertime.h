#ifndef UTILS_VALUEOVERTIME_H
#define UTILS_VALUEOVERTIME_H

#include <QChar>
#include <QString>
#include <QtGlobal>
#include <vector>

namespace Utils {
namespace Charts {

// The bounded history of one chart series: samples (x = time in seconds,
// y = value), oldest first. Every sample is stored twice, at i and
// i + capacity, so the live window is always one contiguous block: append is
// O(1) without ever shifting the history, and pxData()/pyData() hand out plain
// arrays.
class ValueOverTime
{
public:
    static constexpr int DefaultCapacity = 20000;

    explicit ValueOverTime(int capacity = DefaultCapacity);

    void append(double x, double y);
    void clear();
    // Multiplies every value (not the times), e.g. when the unit changes.
    void scaleValues(double factor);

    int size() const { return m_size; }
    bool isEmpty() const { return m_size == 0; }
    int capacity() const { return m_capacity; }
    // Keeps the newest samples that still fit.
    void setCapacity(int capacity);

    // Contiguous arrays of size() values, oldest first; null when empty.
    const double *pxData() const;
    const double *pyData() const;
    double x(int i) const { return pxData()[i]; }
    double y(int i) const { return pyData()[i]; }
    double lastX() const { return x(m_size - 1); }
    double lastY() const { return y(m_size - 1); }

    // Samples appended since the content was last replaced; the sample at
    // i has the running number appendedCount() - size() + i.
    quint64 appendedCount() const { return m_appended; }
    // Changes whenever the content is cleared or replaced.
    quint64 generation() const { return m_generation; }

    // First index whose x is not below `x` (x values are non-decreasing).
    int lowerBound(double x) const;

    // Text form "x;y;x;y;..." with the shortest exact decimal form of each
    // number; the separator must not be a character of a number.
    QString toString(QChar separator = QLatin1Char(';')) const;
    // Replaces the content; false (and unchanged) when the text is malformed.
    bool fromString(const QString &text, QChar separator = QLatin1Char(';'));

private:
    int m_capacity;
    int m_head = 0; // index of the oldest sample in [0, capacity)
    int m_size = 0;
    quint64 m_appended = 0;
    quint64 m_generation = 0;
    std::vector<double> m_x; // 2 * capacity, allocated on first use
    std::vector<double> m_y;
};

} // namespace Charts
} // namespace Utils

#endif
