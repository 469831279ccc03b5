#ifndef UTILS_VALUEOVERTIMESERIES_H
#define UTILS_VALUEOVERTIMESERIES_H

#include <qwt_series_data.h>

#include <QPointer>
#include <QVector>
#include <QWidget>
#include <QtGlobal>

#include <vector>

namespace Utils {
namespace Charts {

class ValueOverTime;

// Lets a curve read a ValueOverTime in place. Only the samples inside the
// visible x range (plus one neighbour on each side, so lines leave the canvas
// correctly) are offered, so drawing cost follows what is on screen, not the
// length of the history.
//
// When the visible range holds many more samples than the canvas has pixel
// columns, the curve gets each column's lowest and highest sample instead,
// in time order: it looks the same, and drawing costs the same for an hour
// of history as for a minute. The columns are kept between replots and only
// the samples appended since are added, so a replot of a long history does
// not walk the whole of it.
class ValueOverTimeSeries : public QwtSeriesData<QPointF>
{
public:
    explicit ValueOverTimeSeries(const ValueOverTime *data);

    // Pixel columns come from this widget's width; none means no thinning.
    void setCanvas(QWidget *canvas);
    // True while the curve is offered thinned samples.
    bool isDecimated() const;

    size_t size() const override;
    QPointF sample(size_t i) const override;
    QRectF boundingRect() const override;
    void setRectOfInterest(const QRectF &rect) override;

private:
    struct Column
    {
        qint64 key;
        double xLow, yLow;   // lowest sample of the column
        double xHigh, yHigh; // highest sample
    };

    void window(int *first, int *count) const;
    void refresh() const;
    void updateColumns(double width) const;

    const ValueOverTime *m_data;
    QPointer<QWidget> m_canvas;
    double m_left = 0.0;
    double m_right = -1.0; // empty interval: everything

    // Cached window; refreshed by size(), which Qwt asks before sampling.
    mutable int m_first = 0;
    mutable int m_count = 0;
    mutable bool m_decimated = false;
    mutable QVector<QPointF> m_points;

    // Columns of width m_columnWidth, oldest first from m_columnStart.
    mutable std::vector<Column> m_columns;
    mutable size_t m_columnStart = 0;
    mutable double m_columnWidth = 0.0;
    mutable quint64 m_generation = ~quint64(0);
    mutable quint64 m_done = 0; // running number of the next sample to add
};

} // namespace Charts
} // namespace Utils

#endif
