#ifndef UTILS_VALUEOVERTIMESERIES_H
#define UTILS_VALUEOVERTIMESERIES_H

#include <qwt_series_data.h>

namespace Utils {
namespace Charts {

class ValueOverTime;

// Lets a curve read a ValueOverTime in place. Only the samples inside the
// visible x range (plus one neighbour on each side, so lines leave the canvas
// correctly) are offered, so drawing cost follows what is on screen, not the
// length of the history.
class ValueOverTimeSeries : public QwtSeriesData<QPointF>
{
public:
    explicit ValueOverTimeSeries(const ValueOverTime *data);

    size_t size() const override;
    QPointF sample(size_t i) const override;
    QRectF boundingRect() const override;
    void setRectOfInterest(const QRectF &rect) override;

private:
    void window(int *first, int *count) const;

    const ValueOverTime *m_data;
    double m_left = 0.0;
    double m_right = -1.0; // empty interval: everything
    // Cached window; refreshed by size(), which Qwt asks before sampling.
    mutable int m_first = 0;
    mutable int m_count = 0;
};

} // namespace Charts
} // namespace Utils

#endif
