#include <utils/thresholdmultimanager.h>
#include <utils/thresholdwindowwidgetgeneric.h>
#include <utils/thresholdwindowwidgetuniversal.h>

#include <QMouseEvent>
#include <QtTest>
#include <qwt_plot.h>
#include <qwt_scale_map.h>

using Utils::ThresholdWindowWidgetGeneric;
using Utils::ThresholdWindowWidgetUniversal;

namespace {

void send(QWidget *canvas, QEvent::Type type, QPoint pos, Qt::MouseButtons buttons)
{
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, pos, canvas->mapToGlobal(pos), button, buttons, Qt::NoModifier);
    QCoreApplication::sendEvent(canvas, &event);
}

// Drags with the left button from `from` to `to` in canvas pixels.
void drag(QwtPlot *plot, QPoint from, QPoint to)
{
    QWidget *canvas = plot->canvas();
    send(canvas, QEvent::MouseButtonPress, from, Qt::LeftButton);
    send(canvas, QEvent::MouseMove, (from + to) / 2, Qt::LeftButton);
    send(canvas, QEvent::MouseMove, to, Qt::LeftButton);
    send(canvas, QEvent::MouseButtonRelease, to, Qt::NoButton);
}

} // namespace

class TestThresholdWidgets : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        m_plot = new QwtPlot;
        m_plot->setAxisScale(QwtPlot::yLeft, 0.0, 10000.0);
        m_plot->setAxisScale(QwtPlot::xBottom, 0.0, 10000.0);
        m_plot->resize(600, 400);
        m_plot->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_plot));
        m_plot->replot();
    }

    void cleanup()
    {
        delete m_plot;
        m_plot = nullptr;
    }

    void dragEmitsOnceWithFinalValue_data()
    {
        QTest::addColumn<unsigned int>("mark");
        QTest::addColumn<double>("start");
        QTest::addColumn<double>("target");
        QTest::newRow("lower down") << 0u << 2000.0 << 1000.0;
        QTest::newRow("upper up") << 1u << 6000.0 << 8000.0;
        QTest::newRow("middle up") << 2u << 4000.0 << 5000.0;
    }

    void dragEmitsOnceWithFinalValue()
    {
        QFETCH(unsigned int, mark);
        QFETCH(double, start);
        QFETCH(double, target);
        ThresholdWindowWidgetGeneric widget(m_plot, 3);
        widget.setLowerMark(2000.0);
        widget.setUpperMark(6000.0);
        widget.setMiddleMark(4000.0);
        widget.showLowerMark(true);
        widget.showUpperMark(true);
        widget.showMiddleMark(true);
        QSignalSpy spy(&widget, SIGNAL(emitValueChanged(unsigned int, const double)));

        const int x = m_plot->canvas()->width() / 2;
        drag(m_plot, QPoint(x, yPixel(start) + 2), QPoint(x, yPixel(target)));

        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).toUInt(), mark);
        const double value = spy.at(0).at(1).toDouble();
        QCOMPARE(value, yValue(yPixel(target))); // where the mouse let go
        QVERIFY(qAbs(value - target) < 100.0);
        QCOMPARE(widget.isDragging(), false);
        const double current = mark == 0 ? widget.lowerMark()
            : mark == 1 ? widget.upperMark() : widget.middleMark();
        QCOMPARE(current, value);
    }

    void settingMarksDoesNotEmit()
    {
        ThresholdWindowWidgetGeneric generic(m_plot, 3);
        ThresholdWindowWidgetUniversal universal(m_plot, 1);
        QSignalSpy genericSpy(&generic, SIGNAL(emitValueChanged(unsigned int, const double)));
        QSignalSpy universalSpy(&universal, SIGNAL(emitValueChanged(unsigned int, const double)));
        generic.showMiddleMark(true);
        generic.setMiddleMark(1000.0);
        generic.setLowerMark(500.0);
        generic.setUpperMark(1500.0);
        generic.setNoise(30.0, -1, false);
        universal.setLeftMark(0, 1000.0);
        universal.setRightMark(0, 10001.0);
        QCOMPARE(genericSpy.count(), 0);
        QCOMPARE(universalSpy.count(), 0);
        QCOMPARE(generic.middleMark(), 1000.0);
        QCOMPARE(universal.rightMark(0), 10001.0);
        QVERIFY(universal.isLineShown(0));
    }

    // A read-only or hidden mark stays where it is; read-only is lifted again.
    void marksThatCannotBeDragged_data()
    {
        QTest::addColumn<bool>("shown");
        QTest::newRow("read-only") << true;
        QTest::newRow("hidden") << false;
    }

    void marksThatCannotBeDragged()
    {
        QFETCH(bool, shown);
        ThresholdWindowWidgetGeneric widget(m_plot, 3);
        widget.setMiddleMark(4000.0);
        widget.showMiddleMark(shown);
        widget.setReadOnly(shown);
        QSignalSpy spy(&widget, SIGNAL(emitValueChanged(unsigned int, const double)));
        const int x = m_plot->canvas()->width() / 2;
        drag(m_plot, QPoint(x, yPixel(4000.0)), QPoint(x, yPixel(7000.0)));
        QCOMPARE(spy.count(), 0);
        QCOMPARE(widget.middleMark(), 4000.0);
        widget.setReadOnly(false);
        drag(m_plot, QPoint(x, yPixel(4000.0)), QPoint(x, yPixel(7000.0)));
        QCOMPARE(spy.count(), shown ? 1 : 0);
    }

    void withoutOverlapMarksStopAtNeighbours()
    {
        ThresholdWindowWidgetGeneric widget(m_plot, 3);
        widget.setOverlapAllowed(false);
        widget.setLowerMark(2000.0);
        widget.setMiddleMark(4000.0);
        widget.setUpperMark(6000.0);
        widget.showLowerMark(true);
        widget.showMiddleMark(true);
        widget.showUpperMark(true);
        QSignalSpy spy(&widget, SIGNAL(emitValueChanged(unsigned int, const double)));
        const int x = m_plot->canvas()->width() / 2;
        drag(m_plot, QPoint(x, yPixel(2000.0)), QPoint(x, yPixel(9000.0)));
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(1).toDouble(), 4000.0);

        widget.setOverlapAllowed(true);
        widget.setLowerMark(2000.0);
        drag(m_plot, QPoint(x, yPixel(2000.0)), QPoint(x, yPixel(9000.0)));
        QCOMPARE(spy.count(), 2);
        QVERIFY(spy.at(1).at(1).toDouble() > 8500.0);
    }

    void universalDragEmitsLeftAndRight_data()
    {
        QTest::addColumn<bool>("right");
        QTest::addColumn<unsigned int>("mark");
        QTest::newRow("left is 4") << false << 4u;
        QTest::newRow("right is 5") << true << 5u;
    }

    void universalDragEmitsLeftAndRight()
    {
        QFETCH(bool, right);
        ThresholdWindowWidgetUniversal widget(m_plot, 1);
        widget.setLeftMark(0, 1000.0);
        widget.setRightMark(0, 8000.0);
        QCOMPARE(widget.componentIndex(), 1);
        QSignalSpy spy(&widget, SIGNAL(emitValueChanged(unsigned int, const double)));
        const double start = right ? 8000.0 : 1000.0;
        const double target = right ? 6000.0 : 3000.0;
        const int y = m_plot->canvas()->height() / 2;
        drag(m_plot, QPoint(xPixel(start), y), QPoint(xPixel(target), y));
        QCOMPARE(spy.count(), 1);
        QTEST(spy.at(0).at(0).toUInt(), "mark");
        QVERIFY(qAbs(spy.at(0).at(1).toDouble() - target) < 100.0);
        QCOMPARE(right ? widget.rightMark(0) : widget.leftMark(0), spy.at(0).at(1).toDouble());
    }

    void multiManagerKeepsOutputsApart()
    {
        Utils::ThresholdMultiManager manager(2);
        manager.setLow(1, 3, 900.0);
        manager.setMiddle(1, 3, 1000.0);
        manager.setHigh(1, 3, 1100.0);
        manager.setMiddle(2, 3, 2500.0);
        manager.setMiddle(3, 3, 7.0); // no third output
        QCOMPARE(manager.middle(1, 3), 1000.0);
        QCOMPARE(manager.middle(2, 3), 2500.0);
        QCOMPARE(manager.low(2, 3), 0.0);
        QVERIFY(!manager.hasValues(3, 3));
        QVERIFY(!manager.hasValues(1, 0));

        ThresholdWindowWidgetGeneric widget(m_plot, 3);
        QSignalSpy spy(&widget, SIGNAL(emitValueChanged(unsigned int, const double)));
        QVERIFY(manager.applyTo(&widget, 1, 3));
        QCOMPARE(widget.lowerMark(), 900.0);
        QCOMPARE(widget.upperMark(), 1100.0);
        QCOMPARE(spy.count(), 0);
    }

private:
    int yPixel(double value) const
    {
        return qRound(m_plot->canvasMap(QwtPlot::yLeft).transform(value));
    }
    int xPixel(double value) const
    {
        return qRound(m_plot->canvasMap(QwtPlot::xBottom).transform(value));
    }
    double yValue(int pixel) const
    {
        return m_plot->canvasMap(QwtPlot::yLeft).invTransform(pixel);
    }

    QwtPlot *m_plot = nullptr;
};

QTEST_MAIN(TestThresholdWidgets)
#include "tst_thresholdwidgets.moc"
