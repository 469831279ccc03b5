#ifndef UTILS_THRESHOLDWIDGETBASE_H
#define UTILS_THRESHOLDWIDGETBASE_H

#include <QColor>
#include <QObject>
#include <QPointer>
#include <QString>
#include <vector>

class QwtPlot;
class QwtPlotMarker;
class QwtPlotTextLabel;

namespace Utils {

// Draggable marks on a QwtPlot. A mark is a line across the canvas at one
// value: a horizontal line at a y value or a vertical one at an x value.
// Pressing the left button near a shown mark grabs it, moving drags it and
// releasing drops it; emitValueChanged(mark, value) is emitted once on
// release when the value changed. Setting a mark from code never emits.
//
// Mark numbers are shared by the derived widgets: 0 lower, 1 upper,
// 2 middle, 3 second middle, and 4 + 2k / 5 + 2k the left / right mark of
// window line k.
class ThresholdWidgetBase : public QObject
{
    Q_OBJECT
public:
    enum Mark : unsigned int {
        LowerMark = 0,
        UpperMark = 1,
        MiddleMark = 2,
        MiddleMark1 = 3,
        FirstLeftMark = 4
    };
    // Grab distance in pixels.
    static constexpr int GrabDistance = 6;

    ~ThresholdWidgetBase() override;

    QwtPlot *plot() const;
    // The index of the chart component (plot) this widget belongs to.
    int componentIndex() const { return m_componentIndex; }

    void setReadOnly(bool readOnly);
    bool isReadOnly() const { return m_readOnly; }
    // When overlapping is not allowed a dragged mark stops at its shown
    // neighbours (see constrain()).
    void setOverlapAllowed(bool allowed);
    bool isOverlapAllowed() const { return m_overlapAllowed; }
    // Text showing the size of the window between the marks.
    void setWindowSizeVisible(bool visible);
    bool isWindowSizeVisible() const { return m_windowSizeVisible; }

    bool isDragging() const { return m_grabbed >= 0; }
    QString markLabel(unsigned int id) const;

signals:
    void emitValueChanged(unsigned int mark, const double value);

protected:
    ThresholdWidgetBase(QwtPlot *plot, int componentIndex, QObject *parent);

    // Adds a mark; `horizontal` lines stand at a y value, the others at x.
    void addMark(unsigned int id, bool horizontal, const QColor &colour,
                 const QString &label);
    void setMarkLabel(unsigned int id, const QString &label);
    bool hasMark(unsigned int id) const;
    void setMarkValue(unsigned int id, double value);
    double markValue(unsigned int id) const;
    void setMarkShown(unsigned int id, bool shown);
    bool isMarkShown(unsigned int id) const;

    // Limits a dragged value; the default keeps it as it is.
    virtual double constrain(unsigned int id, double value) const;
    // Text of the window-size display; empty hides it.
    virtual QString windowSizeText() const { return QString(); }
    // Called after any mark moved or was shown or hidden.
    virtual void marksChanged() {}

    void refresh();

    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct MarkItem
    {
        unsigned int id = 0;
        bool horizontal = true;
        bool shown = false;
        double value = 0.0;
        QwtPlotMarker *marker = nullptr;
    };
    MarkItem *find(unsigned int id);
    const MarkItem *find(unsigned int id) const;
    int hit(const QPoint &pos) const;
    double toValue(const MarkItem &m, const QPoint &pos) const;

    QPointer<QwtPlot> m_plot;
    int m_componentIndex;
    std::vector<MarkItem> m_marks;
    QwtPlotTextLabel *m_windowSizeLabel = nullptr;
    bool m_readOnly = false;
    bool m_overlapAllowed = true;
    bool m_windowSizeVisible = true;
    int m_grabbed = -1;
    double m_valueAtGrab = 0.0;
};

} // namespace Utils

#endif
