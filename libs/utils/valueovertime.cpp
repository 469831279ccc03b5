#include <utils/valueovertime.h>

#include <QLocale>
#include <QStringList>
#include <QVector>
#include <algorithm>

namespace Utils {
namespace Charts {

ValueOverTime::ValueOverTime(int capacity)
    : m_capacity(std::max(1, capacity))
{
}

void ValueOverTime::append(double x, double y)
{
    if (m_x.empty()) {
        m_x.assign(2 * static_cast<size_t>(m_capacity), 0.0);
        m_y.assign(2 * static_cast<size_t>(m_capacity), 0.0);
    }
    int slot;
    if (m_size < m_capacity) {
        slot = (m_head + m_size) % m_capacity;
        ++m_size;
    } else {
        // Full: the new sample takes the oldest one's slot.
        slot = m_head;
        m_head = (m_head + 1) % m_capacity;
    }
    m_x[slot] = m_x[slot + m_capacity] = x;
    m_y[slot] = m_y[slot + m_capacity] = y;
    ++m_appended;
}

void ValueOverTime::scaleValues(double factor)
{
    for (double &y : m_y)
        y *= factor;
    ++m_generation;
}

void ValueOverTime::clear()
{
    m_head = 0;
    m_size = 0;
    m_appended = 0;
    ++m_generation;
}

void ValueOverTime::setCapacity(int capacity)
{
    capacity = std::max(1, capacity);
    if (capacity == m_capacity)
        return;
    const int keep = std::min(m_size, capacity);
    std::vector<double> xs(pxData() ? pxData() + (m_size - keep) : nullptr,
                           pxData() ? pxData() + m_size : nullptr);
    std::vector<double> ys(pyData() ? pyData() + (m_size - keep) : nullptr,
                           pyData() ? pyData() + m_size : nullptr);
    m_capacity = capacity;
    m_x.clear();
    m_y.clear();
    clear();
    for (int i = 0; i < keep; ++i)
        append(xs[i], ys[i]);
}

const double *ValueOverTime::pxData() const
{
    return m_size ? m_x.data() + m_head : nullptr;
}

const double *ValueOverTime::pyData() const
{
    return m_size ? m_y.data() + m_head : nullptr;
}

int ValueOverTime::lowerBound(double x) const
{
    if (!m_size)
        return 0;
    const double *begin = pxData();
    return static_cast<int>(std::lower_bound(begin, begin + m_size, x) - begin);
}

QString ValueOverTime::toString(QChar separator) const
{
    QString text;
    text.reserve(m_size * 16);
    const QLocale c = QLocale::c();
    for (int i = 0; i < m_size; ++i) {
        if (i)
            text += separator;
        text += c.toString(x(i), 'g', QLocale::FloatingPointShortest);
        text += separator;
        text += c.toString(y(i), 'g', QLocale::FloatingPointShortest);
    }
    return text;
}

bool ValueOverTime::fromString(const QString &text, QChar separator)
{
    const QStringList parts = text.split(separator, Qt::SkipEmptyParts);
    if (parts.size() % 2)
        return false;
    const QLocale c = QLocale::c();
    QVector<double> values;
    values.reserve(parts.size());
    for (const QString &part : parts) {
        bool ok = false;
        const double v = c.toDouble(part.trimmed(), &ok);
        if (!ok)
            return false;
        values.append(v);
    }
    clear();
    // When the text holds more than fits, the newest samples win.
    const int pairs = values.size() / 2;
    for (int i = std::max(0, pairs - m_capacity); i < pairs; ++i)
        append(values[2 * i], values[2 * i + 1]);
    return true;
}

} // namespace Charts
} // namespace Utils
