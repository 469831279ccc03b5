// Request transport: one command at a time through the host's channel,
// blocking in a local event loop until the channel reports it finished.

#include "window/sensorwindow.h"

#include "comm/framekeeper.h"
#include "window/logcategories.h"
#include "window/sensorwindowprivate.h"

#include <utils/progressbarui.h>

#include <QApplication>
#include <QCursor>
#include <QPointer>

#include <memory>

namespace DirazSensorPlugin {
namespace Core {

namespace {

// More than a whole parameter read without a single answer: the device or
// the master is gone, not merely a lossy line.
constexpr int kSilentRequestLimit = 4;

ExtensionSystem::FrameEntry makeEntry(std::string command, std::string expectedAnswer)
{
    ExtensionSystem::FrameEntry entry;
    entry.command = std::move(command);
    entry.expectedAnswer = std::move(expectedAnswer);
    entry.timeoutMs = 2000.0;
    entry.reserved1 = 0;
    return entry;
}

} // namespace

void SensorWindow::sendDataFrame(DataFrame *frame, bool showUi)
{
    const QPointer<ExtensionSystem::CommunicationInterface> channel = d->channel.data();
    if (!channel || !frame)
        return;
    // The channel fills a copy that outlives this call, so the caller's frame
    // is never written after the wait ended early (the application quit, or
    // the window went while a nested loop ran).
    auto sent = std::make_unique<DataFrame>(*frame);
    auto *progress = new Utils::ProgressBarUi(this);
    progress->setModal(showUi);
    progress->setShowUi(showUi);
    // Listen before sending: a channel on another thread may finish the frame
    // before sendFrame returns. The progress object keeps an early finish.
    const QMetaObject::Connection finished = connect(channel, &ExtensionSystem::CommunicationInterface::emitFinished,
                                                     progress, &Utils::ProgressBarUi::exit);
    const unsigned int id = channel->sendFrame(sent.get());
    // A channel taken back by the host while we wait never finishes the
    // frame; its destruction has stopped its worker, so the wait can end.
    const QMetaObject::Connection gone = connect(channel, &QObject::destroyed, progress,
                                                 [progress, id] { progress->exit(id); });
    if (showUi)
        QApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    ++d->blockingSends;
    const int outcome = progress->exec(id);
    --d->blockingSends;
    if (showUi)
        QApplication::restoreOverrideCursor();
    disconnect(finished);
    disconnect(gone);
    progress->deleteLater();

    if (outcome == 1 && channel) {
        // Entry by entry: callers hold references to their entries.
        auto filled = sent->cbegin();
        for (ExtensionSystem::FrameEntry &entry : *frame) {
            entry = *filled++;
            d->unansweredInARow = entry.status == 0 ? d->unansweredInARow + 1 : 0;
        }
    } else if (channel) {
        qCWarning(lcTransport) << "stopped waiting for a frame the channel still runs";
        FrameKeeper::keep(channel, id, std::move(sent));
    } else {
        qCWarning(lcTransport) << "the channel went away during a send";
    }
}

void SensorWindow::sendDataFrame(DataFrame *frame)
{
    sendDataFrame(frame, true);
}

bool SensorWindow::bLineSilent() const
{
    return !d->channel || d->unansweredInARow >= kSilentRequestLimit;
}

bool SensorWindow::bSendCommand(std::string command, bool useWindowFlag)
{
    DataFrame frame{makeEntry(std::move(command), ".*")};
    sendDataFrame(&frame, useWindowFlag ? d->showProgress : false);
    const ExtensionSystem::FrameEntry &entry = frame.front();
    if (entry.status != 1)
        return false;
    return entry.answer.find("ERROR") == std::string::npos;
}

QByteArray SensorWindow::queryCommand(std::string command, std::string expectedAnswer)
{
    DataFrame frame{makeEntry(std::move(command), std::move(expectedAnswer))};
    sendDataFrame(&frame, d->showProgress);
    const ExtensionSystem::FrameEntry &entry = frame.front();
    if (entry.status != 1)
        return QByteArray();
    return QByteArray(entry.answer.data(), int(entry.answer.size()));
}

} // namespace Core
} // namespace DirazSensorPlugin
