#pragma once

// Drives a modal window from inside its own event loop, so a test can answer
// a real dialog without hanging.

#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QTimer>

#include <functional>

class ModalDriver : public QObject
{
public:
    // act(w) runs once, on the first modal widget that appears; it should
    // press a button or close w. After maxTicks polls of 10 ms the driver
    // gives up waiting for a window, or ends one the action left open with
    // -1, so a broken test fails instead of blocking.
    explicit ModalDriver(std::function<void(QWidget *)> act, int maxTicks = 3000)
        : m_act(std::move(act))
        , m_ticksLeft(maxTicks)
    {
        connect(&m_timer, &QTimer::timeout, this, &ModalDriver::tick);
        m_timer.start(10);
    }

    bool acted() const { return m_acted; }

private:
    void tick()
    {
        if (!m_acted) {
            if (QWidget *w = QApplication::activeModalWidget()) {
                m_acted = true;
                m_target = qobject_cast<QDialog *>(w);
                m_act(w);
            } else if (--m_ticksLeft <= 0) {
                m_timer.stop();
            }
            return;
        }
        // Showing a frameless splash-type dialog runs pending events before
        // exec() has its loop; a dialog closed then stays hidden with exec()
        // waiting. Closing it again from inside the loop ends exec() with
        // the result it already has.
        if (!m_target)
            return;
        if (!m_target->isVisible()) {
            const int result = m_target->result();
            m_target->show();
            m_target->done(result);
        } else if (--m_ticksLeft <= 0) {
            // The action did not close it: end it with -1 rather than hang.
            m_target->done(-1);
        }
    }

    std::function<void(QWidget *)> m_act;
    int m_ticksLeft;
    bool m_acted = false;
    QPointer<QDialog> m_target;
    QTimer m_timer;
};
