#ifndef UTILS_THRESHOLDWINDOWWIDGETUNIVERSAL_H
#define UTILS_THRESHOLDWINDOWWIDGETUNIVERSAL_H

#include <utils/thresholdwidgetbase.h>

#include <vector>

class QwtPlotZoneItem;

namespace Utils {

// Window marks along the x axis: each window line k has a left and a right
// vertical mark (mark numbers 4 + 2k and 5 + 2k) with the band between them
// shaded. A mark appears once it has been given a value.
class ThresholdWindowWidgetUniversal : public ThresholdWidgetBase
{
    Q_OBJECT
public:
    ThresholdWindowWidgetUniversal(QwtPlot *plot, int componentIndex,
                                   QObject *parent = nullptr, int lines = 1);
    ~ThresholdWindowWidgetUniversal() override;

    int lineCount() const { return static_cast<int>(m_zones.size()); }
    static unsigned int leftMarkId(int line) { return FirstLeftMark + 2u * unsigned(line); }
    static unsigned int rightMarkId(int line) { return leftMarkId(line) + 1u; }

    void setLeftMark(int line, double value);
    void setRightMark(int line, double value);
    double leftMark(int line) const { return markValue(leftMarkId(line)); }
    double rightMark(int line) const { return markValue(rightMarkId(line)); }
    // Shows or hides both marks of a line.
    void showLine(int line, bool shown);
    bool isLineShown(int line) const;

protected:
    double constrain(unsigned int id, double value) const override;
    QString windowSizeText() const override;
    void marksChanged() override;

private:
    bool validLine(int line) const { return line >= 0 && line < lineCount(); }
    std::vector<QwtPlotZoneItem *> m_zones;
};

} // namespace Utils

#endif
