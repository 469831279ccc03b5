// Polling: one asynchronous poll frame in flight, the next one started by
// the single-shot chart timer once the answer has been handled. A sensor
// that leaves three polls in a row unanswered is let go.

#include "window/sensorwindow.h"

#include "live/pollsequence.h"
#include "live/polltransport.h"
#include "window/logcategories.h"
#include "persistence/dialoglayer.h"
#include "window/sensorwindowprivate.h"
#include "window/sensorwindowui.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QToolBar>

#include <memory>
#include <mutex>
#include <utility>

namespace DirazSensorPlugin {
namespace Core {

using ExtensionSystem::CommunicationInterface;

namespace {

constexpr double PollTimeoutMs = 2000.0;

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
    // probe, and the mutex is not recursive: what arrives meanwhile is not
    // waited for. A poll start is simply dropped (the holder schedules the
    // next one), but an answer is kept for later: dropped, it would leave
    // its poll pending and polling stopped for good.
    std::unique_lock<QMutex> lock(d->pollMutex, std::try_to_lock);
    if (!lock.owns_lock()) {
        if (index != 0)
            d->deferredPollAnswers.append(index);
        return;
    }
    if (index == 0)
        vStartPoll();
    else
        vHandlePollAnswer(index);
    lock.unlock();
    const QList<unsigned int> deferred = std::exchange(d->deferredPollAnswers, {});
    for (unsigned int id : deferred)
        QMetaObject::invokeMethod(this, [this, id] { queryStatusData(id); }, Qt::QueuedConnection);
}

void SensorWindow::vStartPoll()
{
    CommunicationInterface *channel = d->channel;
    if (!channel)
        return;
    const auto finished = QOverload<uint>::of(&SensorWindow::queryStatusData);
    PollTransport &poll = d->poll;
    if (poll.isPending()) {
        // The answer still owed schedules the next poll itself.
        if (poll.pendingChannel() == channel)
            return;
        // The poll went to a channel the window no longer holds.
        if (CommunicationInterface *old = poll.pendingChannel())
            disconnect(old, &CommunicationInterface::emitFinished, this, finished);
        poll.abandon();
    }

    const PollFrame kind = nextPollFrame(poll.counterRef(), d->objectInfoMode);
    connect(channel, &CommunicationInterface::emitFinished, this, finished, Qt::UniqueConnection);
    poll.send(channel, pollFrameOctets(kind), PollTimeoutMs);
}

void SensorWindow::vHandlePollAnswer(unsigned int id)
{
    PollTransport &poll = d->poll;
    if (id != poll.pendingId())
        return;
    // Only the channel the poll went to stays connected, so no other
    // channel's request with the same number reaches here.
    if (CommunicationInterface *channel = poll.pendingChannel())
        disconnect(channel, &CommunicationInterface::emitFinished, this,
                   QOverload<uint>::of(&SensorWindow::queryStatusData));
    const std::unique_ptr<DataFrame> frame = poll.take(id);
    // The host took the channel back while the poll was out: nothing to show.
    if (!d->channel)
        return;

    const ExtensionSystem::FrameEntry *entry = frame && !frame->empty() ? &frame->front() : nullptr;
    const QByteArray answer = entry ? QByteArray(entry->answer.data(), int(entry->answer.size())) : QByteArray();
    // Noise of the right length must not pass for a distance: an answer whose
    // count octet does not match counts as no answer.
    const bool answered = entry && entry->status != 0 && answerCountMatches(answer);
    if (entry && entry->status != 0 && !answered)
        qCWarning(lcLive) << "malformed poll answer" << answer.toHex(' ');
    if (answered) {
        if (!ui->chartToolbar->isEnabled())
            ui->chartToolbar->setEnabled(true);
        const QString hex = QString::fromLatin1(answer.toHex());
        if (answerShowsProcessData(answer.size(), poll.counter())) {
            decodeProcessData(hex);
            vMarkProcessDataStale(false);
        }
        if (answerShowsObjectInfo(answer.size(), poll.counter(), d->objectInfoMode))
            decodeObjectInfo(hex);
    }
    if (poll.recordOutcome(answered)) {
        qCWarning(lcLive) << PollTransport::kToleratedLosses + 1 << "polls in a row went unanswered: sensor lost";
        vSensorLost();
        if (!bCheckConnection()) {
            poll.setAllowance(poll.allowance() - 1);
            return;
        }
    }

    if (connected && d->channel)
        d->chartTimer.start();
}

void SensorWindow::vSensorLost()
{
    d->poll.setAllowance(PollTransport::kToleratedLosses);
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
