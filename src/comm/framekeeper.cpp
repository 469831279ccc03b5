#include "comm/framekeeper.h"

namespace DirazSensorPlugin {
namespace Core {

FrameKeeper::FrameKeeper(ExtensionSystem::CommunicationInterface *channel, unsigned int id,
                         std::unique_ptr<DataFrame> frame)
    : QObject(channel), m_id(id), m_frame(std::move(frame))
{
    setObjectName(QStringLiteral("FrameKeeper"));
    // Queued to this (GUI) thread: the worker has let go of the frame once it
    // reports it finished.
    connect(channel, &ExtensionSystem::CommunicationInterface::emitFinished, this, &FrameKeeper::finished);
}

void FrameKeeper::keep(ExtensionSystem::CommunicationInterface *channel, unsigned int id,
                       std::unique_ptr<DataFrame> frame)
{
    if (!channel || !frame)
        return; // without a channel nobody writes into the frame any more
    new FrameKeeper(channel, id, std::move(frame)); // owned by the channel
}

int FrameKeeper::heldOn(const ExtensionSystem::CommunicationInterface *channel)
{
    return channel ? channel->findChildren<FrameKeeper *>(QString(), Qt::FindDirectChildrenOnly).size() : 0;
}

void FrameKeeper::finished(unsigned int id)
{
    if (id == m_id)
        deleteLater();
}

} // namespace Core
} // namespace DirazSensorPlugin
