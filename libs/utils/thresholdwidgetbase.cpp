#include <utils/thresholdwidgetbase.h>

#include <QEvent>
#include <QMouseEvent>
#include <qwt_plot.h>
#include <qwt_plot_marker.h>
#include <qwt_plot_textlabel.h>
#include <qwt_scale_map.h>
#include <qwt_text.h>

#include <cmath>

namespace Utils {

ThresholdWidgetBase::ThresholdWidgetBase(QwtPlot *plot, int componentIndex, QObject *parent)
    : QObject(parent ? parent : plot), m_plot(plot), m_componentIndex(componentIndex)
{
    if (!m_plot)
        return;
    m_plot->canvas()->installEventFilter(this);
    m_windowSizeLabel = new QwtPlotTextLabel;
    m_windowSizeLabel->setZ(41);
    m_windowSizeLabel->attach(m_plot);
}

ThresholdWidgetBase::~ThresholdWidgetBase()
{
    // The plot owns attached items; only take ours back while it exists.
    if (!m_plot)
        return;
    for (MarkItem &m : m_marks) {
        m.marker->detach();
        delete m.marker;
    }
    m_windowSizeLabel->detach();
    delete m_windowSizeLabel;
    m_plot->replot();
}

QwtPlot *ThresholdWidgetBase::plot() const
{
    return m_plot.data();
}

void ThresholdWidgetBase::addMark(unsigned int id, bool horizontal, const QColor &colour,
                                  const QString &label)
{
    if (hasMark(id))
        return;
    MarkItem m;
    m.id = id;
    m.horizontal = horizontal;
    if (m_plot) {
        m.marker = new QwtPlotMarker;
        m.marker->setLineStyle(horizontal ? QwtPlotMarker::HLine : QwtPlotMarker::VLine);
        m.marker->setLinePen(colour, 2.0);
        QwtText text(label);
        text.setColor(colour);
        m.marker->setLabel(text);
        m.marker->setLabelAlignment(horizontal ? (Qt::AlignRight | Qt::AlignTop)
                                               : (Qt::AlignRight | Qt::AlignBottom));
        m.marker->setZ(40);
        m.marker->setVisible(false);
        m.marker->attach(m_plot);
    }
    m_marks.push_back(m);
}

void ThresholdWidgetBase::setMarkLabel(unsigned int id, const QString &label)
{
    MarkItem *m = find(id);
    if (!m || !m->marker)
        return;
    QwtText text = m->marker->label();
    text.setText(label);
    m->marker->setLabel(text);
    if (m_plot)
        m_plot->replot();
}

QString ThresholdWidgetBase::markLabel(unsigned int id) const
{
    const MarkItem *m = find(id);
    return m && m->marker ? m->marker->label().text() : QString();
}

ThresholdWidgetBase::MarkItem *ThresholdWidgetBase::find(unsigned int id)
{
    for (MarkItem &m : m_marks)
        if (m.id == id)
            return &m;
    return nullptr;
}

const ThresholdWidgetBase::MarkItem *ThresholdWidgetBase::find(unsigned int id) const
{
    for (const MarkItem &m : m_marks)
        if (m.id == id)
            return &m;
    return nullptr;
}

bool ThresholdWidgetBase::hasMark(unsigned int id) const
{
    return find(id) != nullptr;
}

void ThresholdWidgetBase::setMarkValue(unsigned int id, double value)
{
    MarkItem *m = find(id);
    if (!m || std::isnan(value))
        return;
    m->value = value;
    if (m->marker) {
        if (m->horizontal)
            m->marker->setYValue(value);
        else
            m->marker->setXValue(value);
    }
    refresh();
}

double ThresholdWidgetBase::markValue(unsigned int id) const
{
    const MarkItem *m = find(id);
    return m ? m->value : 0.0;
}

void ThresholdWidgetBase::setMarkShown(unsigned int id, bool shown)
{
    MarkItem *m = find(id);
    if (!m)
        return;
    m->shown = shown;
    if (m->marker)
        m->marker->setVisible(shown);
    refresh();
}

bool ThresholdWidgetBase::isMarkShown(unsigned int id) const
{
    const MarkItem *m = find(id);
    return m && m->shown;
}

void ThresholdWidgetBase::setReadOnly(bool readOnly)
{
    m_readOnly = readOnly;
    if (readOnly && m_grabbed >= 0) {
        // A drag in progress is dropped where it started.
        MarkItem &m = m_marks[static_cast<size_t>(m_grabbed)];
        m_grabbed = -1;
        setMarkValue(m.id, m_valueAtGrab);
    }
}

void ThresholdWidgetBase::setOverlapAllowed(bool allowed)
{
    m_overlapAllowed = allowed;
}

void ThresholdWidgetBase::setWindowSizeVisible(bool visible)
{
    m_windowSizeVisible = visible;
    refresh();
}

double ThresholdWidgetBase::constrain(unsigned int, double value) const
{
    return value;
}

void ThresholdWidgetBase::refresh()
{
    marksChanged();
    if (!m_plot)
        return;
    const QString text = m_windowSizeVisible ? windowSizeText() : QString();
    QwtText label(text);
    label.setRenderFlags(Qt::AlignHCenter | Qt::AlignBottom);
    m_windowSizeLabel->setText(label);
    m_windowSizeLabel->setVisible(!text.isEmpty());
    m_plot->replot();
}

int ThresholdWidgetBase::hit(const QPoint &pos) const
{
    int best = -1;
    double bestDistance = GrabDistance + 0.5;
    for (size_t i = 0; i < m_marks.size(); ++i) {
        const MarkItem &m = m_marks[i];
        if (!m.shown)
            continue;
        const QwtScaleMap map = m_plot->canvasMap(m.horizontal ? m.marker->yAxis()
                                                               : m.marker->xAxis());
        const double pixel = map.transform(m.value);
        const double distance = std::abs(pixel - (m.horizontal ? pos.y() : pos.x()));
        if (distance < bestDistance) {
            bestDistance = distance;
            best = static_cast<int>(i);
        }
    }
    return best;
}

double ThresholdWidgetBase::toValue(const MarkItem &m, const QPoint &pos) const
{
    const QwtScaleMap map = m_plot->canvasMap(m.horizontal ? m.marker->yAxis()
                                                           : m.marker->xAxis());
    return map.invTransform(m.horizontal ? pos.y() : pos.x());
}

bool ThresholdWidgetBase::eventFilter(QObject *watched, QEvent *event)
{
    if (!m_plot || watched != m_plot->canvas())
        return QObject::eventFilter(watched, event);

    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (m_readOnly || mouse->button() != Qt::LeftButton)
            return false;
        const int index = hit(mouse->pos());
        if (index < 0)
            return false;
        m_grabbed = index;
        m_valueAtGrab = m_marks[static_cast<size_t>(index)].value;
        return true; // the mark is ours, not the panner's
    }
    case QEvent::MouseMove: {
        if (m_grabbed < 0)
            return false;
        MarkItem &m = m_marks[static_cast<size_t>(m_grabbed)];
        double value = toValue(m, static_cast<QMouseEvent *>(event)->pos());
        if (!m_overlapAllowed)
            value = constrain(m.id, value);
        setMarkValue(m.id, value);
        return true;
    }
    case QEvent::MouseButtonRelease: {
        if (m_grabbed < 0 || static_cast<QMouseEvent *>(event)->button() != Qt::LeftButton)
            return false;
        const MarkItem &m = m_marks[static_cast<size_t>(m_grabbed)];
        m_grabbed = -1;
        if (m.value != m_valueAtGrab)
            emit emitValueChanged(m.id, m.value);
        return true;
    }
    default:
        return false;
    }
}

} // namespace Utils
