#ifndef UTILS_THRESHOLDWINDOWWIDGETGENERIC_H
#define UTILS_THRESHOLDWINDOWWIDGETGENERIC_H

#include <utils/thresholdwidgetbase.h>

class QwtPlotZoneItem;

namespace Utils {

// Switching-threshold marks on a value-over-time plot: horizontal lower,
// upper, middle and second middle marks, with hysteresis ("noise") bands.
// All marks start hidden at 0.
class ThresholdWindowWidgetGeneric : public ThresholdWidgetBase
{
    Q_OBJECT
public:
    ThresholdWindowWidgetGeneric(QwtPlot *plot, int componentIndex,
                                 QObject *parent = nullptr);
    ~ThresholdWindowWidgetGeneric() override;

    // The marks' labels in the application's present language.
    void retranslate();

    void showLowerMark(bool shown);
    void showUpperMark(bool shown);
    void showMiddleMark(bool shown);
    void showMiddleMark1(bool shown);
    bool isLowerMarkShown() const { return isMarkShown(LowerMark); }
    bool isUpperMarkShown() const { return isMarkShown(UpperMark); }
    bool isMiddleMarkShown() const { return isMarkShown(MiddleMark); }
    bool isMiddleMark1Shown() const { return isMarkShown(MiddleMark1); }

    void setLowerMark(double value);
    void setUpperMark(double value);
    void setMiddleMark(double value);
    void setMiddleMark1(double value);
    double lowerMark() const { return markValue(LowerMark); }
    double upperMark() const { return markValue(UpperMark); }
    double middleMark() const { return markValue(MiddleMark); }
    double middleMark1() const { return markValue(MiddleMark1); }

    // Hysteresis band of `width` beside the lower and upper marks; `mark`
    // -1 sets both, LowerMark or UpperMark one of them. A symmetric band
    // lies on both sides of its mark.
    void setNoise(double width, int mark = -1, bool symmetric = false);
    // Hysteresis band of `width` beside the middle mark; width 0 draws none.
    void setNoiseMiddleMark(double width, bool shown = true);
    // On which side the bands lie: true = below the mark (smaller values).
    void setNoiseOrientation(bool lowerBelow, bool upperBelow, bool middleBelow);
    double noiseWidth(int mark) const;
    double noiseMiddleMark() const { return m_middle.width; }
    bool isNoiseMiddleMarkShown() const { return m_middle.shown; }

protected:
    double constrain(unsigned int id, double value) const override;
    QString windowSizeText() const override;
    void marksChanged() override;

private:
    struct Band
    {
        QwtPlotZoneItem *zone = nullptr;
        double width = 0.0;
        bool below = false;
        bool symmetric = false;
        bool shown = true;
    };
    void updateBand(Band &band, unsigned int mark);

    Band m_lower;
    Band m_upper;
    Band m_middle;
};

} // namespace Utils

#endif
