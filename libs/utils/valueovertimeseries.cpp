#include <utils/valueovertimeseries.h>
#include <utils/valueovertime.h>

#include <algorithm>

namespace Utils {
namespace Charts {

ValueOverTimeSeries::ValueOverTimeSeries(const ValueOverTime *data)
    : m_data(data)
{
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

size_t ValueOverTimeSeries::size() const
{
    window(&m_first, &m_count);
    return static_cast<size_t>(m_count);
}

QPointF ValueOverTimeSeries::sample(size_t i) const
{
    const int index = m_first + static_cast<int>(i);
    if (index >= m_data->size())
        return QPointF();
    return QPointF(m_data->x(index), m_data->y(index));
}

QRectF ValueOverTimeSeries::boundingRect() const
{
    int first = 0;
    int count = 0;
    window(&first, &count);
    if (count == 0)
        return QRectF(0.0, 0.0, -1.0, -1.0);
    const double *ys = m_data->pyData() + first;
    const auto range = std::minmax_element(ys, ys + count);
    const double x0 = m_data->x(first);
    const double x1 = m_data->x(first + count - 1);
    return QRectF(x0, *range.first, x1 - x0, *range.second - *range.first);
}

void ValueOverTimeSeries::setRectOfInterest(const QRectF &rect)
{
    m_left = rect.left();
    m_right = rect.right();
}

} // namespace Charts
} // namespace Utils
