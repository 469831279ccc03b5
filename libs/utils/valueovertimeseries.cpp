#include <utils/valueovertimeseries.h>
#include <utils/valueovertime.h>

#include <algorithm>
#include <cmath>

namespace Utils {
namespace Charts {

namespace {

// Thinning starts above this many samples per pixel column.
constexpr int SamplesPerColumn = 4;

} // namespace

ValueOverTimeSeries::ValueOverTimeSeries(const ValueOverTime *data)
    : m_data(data)
{
}

void ValueOverTimeSeries::setCanvas(QWidget *canvas)
{
    m_canvas = canvas;
}

bool ValueOverTimeSeries::isDecimated() const
{
    refresh();
    return m_decimated;
}

void ValueOverTimeSeries::window(int *first, int *count) const
{
    const int n = m_data->size();
    if (m_right < m_left || n == 0) {
        *first = 0;
        *count = n;
        return;
    }
    const int begin = std::max(0, m_data->lowerBound(m_left) - 1);
    const int end = std::min(n, m_data->lowerBound(m_right) + 1);
    *first = begin;
    *count = std::max(0, end - begin);
}

void ValueOverTimeSeries::updateColumns(double width) const
{
    const int n = m_data->size();
    const quint64 total = m_data->appendedCount();
    const quint64 oldest = total - quint64(n);
    // Same width within rounding: the visible range moved, not its span.
    const bool sameWidth = m_columnWidth > 0.0 && std::abs(width - m_columnWidth) <= m_columnWidth * 1e-6;
    if (!sameWidth || m_generation != m_data->generation() || m_done < oldest || m_done > total) {
        m_columns.clear();
        m_columnStart = 0;
        m_columnWidth = width;
        m_generation = m_data->generation();
        m_done = oldest;
    }
    for (quint64 number = m_done; number < total; ++number) {
        const int i = int(number - oldest);
        const double x = m_data->x(i);
        const double y = m_data->y(i);
        const qint64 key = qint64(std::floor(x / m_columnWidth));
        if (m_columns.size() == m_columnStart || m_columns.back().key != key) {
            m_columns.push_back({key, x, y, x, y});
            continue;
        }
        Column &c = m_columns.back();
        if (y < c.yLow) {
            c.xLow = x;
            c.yLow = y;
        }
        if (y > c.yHigh) {
            c.xHigh = x;
            c.yHigh = y;
        }
    }
    m_done = total;
    // Columns whose samples left the history go too.
    if (n > 0) {
        const qint64 firstKey = qint64(std::floor(m_data->x(0) / m_columnWidth));
        while (m_columnStart < m_columns.size() && m_columns[m_columnStart].key < firstKey)
            ++m_columnStart;
    }
    if (m_columnStart > 4096 && m_columnStart * 2 > m_columns.size()) {
        m_columns.erase(m_columns.begin(), m_columns.begin() + qint64(m_columnStart));
        m_columnStart = 0;
    }
}

void ValueOverTimeSeries::refresh() const
{
    window(&m_first, &m_count);
    const int columns = m_canvas ? m_canvas->width() : 0;
    m_decimated = columns > 0 && m_right > m_left && m_count > SamplesPerColumn * columns;
    if (!m_decimated)
        return;
    updateColumns((m_right - m_left) / columns);

    const qint64 leftKey = qint64(std::floor(m_left / m_columnWidth)) - 1;
    const qint64 rightKey = qint64(std::floor(m_right / m_columnWidth)) + 1;
    const auto begin = m_columns.begin() + qint64(m_columnStart);
    auto it = std::lower_bound(begin, m_columns.end(), leftKey,
                               [](const Column &c, qint64 key) { return c.key < key; });
    m_points.clear();
    for (; it != m_columns.end() && it->key <= rightKey; ++it) {
        const bool lowFirst = it->xLow <= it->xHigh;
        m_points.append(lowFirst ? QPointF(it->xLow, it->yLow) : QPointF(it->xHigh, it->yHigh));
        if (it->xLow != it->xHigh || it->yLow != it->yHigh)
            m_points.append(lowFirst ? QPointF(it->xHigh, it->yHigh) : QPointF(it->xLow, it->yLow));
    }
}

size_t ValueOverTimeSeries::size() const
{
    refresh();
    return m_decimated ? size_t(m_points.size()) : size_t(m_count);
}

QPointF ValueOverTimeSeries::sample(size_t i) const
{
    if (m_decimated)
        return i < size_t(m_points.size()) ? m_points[int(i)] : QPointF();
    const int index = m_first + static_cast<int>(i);
    if (index >= m_data->size())
        return QPointF();
    return QPointF(m_data->x(index), m_data->y(index));
}

QRectF ValueOverTimeSeries::boundingRect() const
{
    refresh();
    if (m_decimated) {
        if (m_points.isEmpty())
            return QRectF(0.0, 0.0, -1.0, -1.0);
        double low = m_points.first().y();
        double high = low;
        for (const QPointF &p : qAsConst(m_points)) {
            low = std::min(low, p.y());
            high = std::max(high, p.y());
        }
        const double x0 = m_points.first().x();
        return QRectF(x0, low, m_points.last().x() - x0, high - low);
    }
    if (m_count == 0)
        return QRectF(0.0, 0.0, -1.0, -1.0);
    const double *ys = m_data->pyData() + m_first;
    const auto range = std::minmax_element(ys, ys + m_count);
    const double x0 = m_data->x(m_first);
    const double x1 = m_data->x(m_first + m_count - 1);
    return QRectF(x0, *range.first, x1 - x0, *range.second - *range.first);
}

void ValueOverTimeSeries::setRectOfInterest(const QRectF &rect)
{
    m_left = rect.left();
    m_right = rect.right();
}

} // namespace Charts
} // namespace Utils
