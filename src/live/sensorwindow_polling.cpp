// Polling: one asynchronous poll frame in flight, the next one started by
// the single-shot chart timer once the answer has been handled. A sensor
// that stops answering is let go after two tolerated time-outs.

#include "window/sensorwindow.h"

#include "live/pollsequence.h"
#include "persistence/dialoglayer.h"
#include "window/sensorwindowprivate.h"
#include "window/sensorwindowui.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QToolBar>

#include <memory>
#include <mutex>

namespace DirazSensorPlugin {
namespace Core {

using ExtensionSystem::CommunicationInterface;

namespace {

constexpr double PollTimeoutMs = 2000.0;
constexpr int ToleratedTimeouts = 2;

} // namespace

void SensorWindow::queryChartData()
{
    if (d->pollingAllowed)
        queryStatusData(0);
}

void SensorWindow::queryStatusData()
{
    queryStatusData(0);
}

void SensorWindow::queryStatusData(uint index)
{
    // The lost-sensor path holds the mutex across a modal box and a blocking
    // probe; anything reached from there is turned away rather than waited
    // for, as the mutex is not recursive.
    std::unique_lock<QMutex> lock(d->pollMutex, std::try_to_lock);
    if (!lock.owns_lock())
        return;
    if (index == 0)
        vStartPoll();
    else
        vHandlePollAnswer(index);
}

void SensorWindow::vStartPoll()
{
    CommunicationInterface *channel = d->channel;
    if (!channel)
        return;
    const auto finished = QOverload<uint>::of(&SensorWindow::queryStatusData);
    if (d->pendingRequestId != 0) {
        // The answer still owed schedules the next poll itself.
        if (d->pendingChannel == channel)
            return;
        // The poll went to a channel the window no longer holds. A channel
        // that is gone will not touch its frame again; one that lives on may
        // still fill it, so its frame stays until the window goes.
        const auto it = d->pendingFrames.find(d->pendingRequestId);
        if (it != d->pendingFrames.end()) {
            std::unique_ptr<DataFrame> left(it->second);
            d->pendingFrames.erase(it);
            if (d->pendingChannel)
                d->abandonedFrames.push_back(std::move(left));
        }
        if (d->pendingChannel)
            disconnect(d->pendingChannel.data(), &CommunicationInterface::emitFinished, this, finished);
        d->pendingRequestId = 0;
    }

    const PollFrame kind = nextPollFrame(d->pollCounter, d->objectInfoMode);
    auto frame = std::make_unique<DataFrame>(1);
    ExtensionSystem::FrameEntry &entry = frame->front();
    entry.command = pollFrameOctets(kind);
    entry.expectedAnswer = ".*";
    entry.timeoutMs = PollTimeoutMs;
    entry.reserved1 = 0;
    entry.reserved2 = 0;

    connect(channel, &CommunicationInterface::emitFinished, this, finished, Qt::UniqueConnection);
    const unsigned int id = channel->sendFrame(frame.get());
    d->pendingRequestId = id;
    d->pendingChannel = channel;
    d->pendingFrames[id] = frame.release();
}

void SensorWindow::vHandlePollAnswer(unsigned int id)
{
    if (id != d->pendingRequestId)
        return;
    // Only the channel the poll went to stays connected, so no other
    // channel's request with the same number reaches here.
    if (d->pendingChannel)
        disconnect(d->pendingChannel.data(), &CommunicationInterface::emitFinished, this,
                   QOverload<uint>::of(&SensorWindow::queryStatusData));
    auto release = [this, id] {
        const auto it = d->pendingFrames.find(id);
        if (it != d->pendingFrames.end()) {
            delete it->second;
            d->pendingFrames.erase(it);
        }
        d->pendingRequestId = 0;
    };
    // The host took the channel back while the poll was out: nothing to
    // show, and the finished frame is no longer needed.
    if (!d->channel) {
        release();
        return;
    }

    const auto found = d->pendingFrames.find(id);
    DataFrame *frame = found != d->pendingFrames.end() ? found->second : nullptr;

    const ExtensionSystem::FrameEntry *entry = frame && !frame->empty() ? &frame->front() : nullptr;
    if (entry && entry->status != 0) {
        if (!ui->chartToolbar->isEnabled())
            ui->chartToolbar->setEnabled(true);
        const QByteArray answer(entry->answer.data(), int(entry->answer.size()));
        const QString hex = QString::fromLatin1(answer.toHex());
        if (answerShowsProcessData(answer.size(), d->pollCounter))
            decodeProcessData(hex);
        if (answerShowsObjectInfo(answer.size(), d->pollCounter, d->objectInfoMode))
            decodeObjectInfo(hex);
    } else if (d->noAnswerCredit > 0) {
        --d->noAnswerCredit;
    } else {
        vSensorLost();
        if (!bCheckConnection()) {
            release();
            --d->noAnswerCredit;
            return;
        }
    }

    release();
    if (connected && d->channel)
        d->chartTimer.start();
}

void SensorWindow::vSensorLost()
{
    d->noAnswerCredit = ToleratedTimeouts;
    d->continuousDataTimer.stop();
    d->portSelector->setCurrentIndex(0);
    d->lastPortIndex = 0;
    vDisconnect();
    ui->sensorOperationsToolbar->setEnabled(connected);
    DialogLayer::warning(this, QCoreApplication::translate("SensorWindow", "Connecting to sensor"),
                         QCoreApplication::translate(
                             "SensorWindow", "The sensor did not respond, please make sure it is properly connected."),
                         QMessageBox::Ok);
}

void SensorWindow::enableStatusChecking(bool enabled)
{
    d->liveData = enabled;
    if (d->channel)
        d->chartTimer.start();
}

void SensorWindow::updateChart()
{
    if (connected)
        ui->chartToolbar->setEnabled(true);
}

} // namespace Core
} // namespace DirazSensorPlugin
