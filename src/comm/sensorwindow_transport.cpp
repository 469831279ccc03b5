// Request transport: one command at a time through the host's channel,
// blocking in a local event loop until the channel reports it finished.

#include "window/sensorwindow.h"

#include "window/sensorwindowprivate.h"

#include <utils/progressbarui.h>

#include <QApplication>
#include <QCursor>

namespace DirazSensorPlugin {
namespace Core {

namespace {

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
    ExtensionSystem::CommunicationInterface *channel = d->channel;
    if (!channel || !frame)
        return;
    auto *progress = new Utils::ProgressBarUi(this);
    progress->setModal(showUi);
    progress->setShowUi(showUi);
    // Listen before sending: a channel on another thread may finish the frame
    // before sendFrame returns. The progress object keeps an early finish.
    const QMetaObject::Connection finished = connect(channel, &ExtensionSystem::CommunicationInterface::emitFinished,
                                                     progress, &Utils::ProgressBarUi::exit);
    const unsigned int id = channel->sendFrame(frame);
    if (showUi)
        QApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    ++d->blockingSends;
    progress->exec(id);
    --d->blockingSends;
    if (showUi)
        QApplication::restoreOverrideCursor();
    disconnect(finished);
    progress->deleteLater();
}

void SensorWindow::sendDataFrame(DataFrame *frame)
{
    sendDataFrame(frame, true);
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
