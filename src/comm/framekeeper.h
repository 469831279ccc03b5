#pragma once

#include <extensionsystem/communicationinterface.h>

#include <QObject>

#include <memory>

namespace DirazSensorPlugin {
namespace Core {

// Holds a frame that a channel may still be filling after its sender stopped
// waiting (the application quit, the window closed). The keeper is a child of
// the channel: it frees the frame when the channel reports it finished, or
// with the channel, whose destructor has stopped its worker by then. So no
// frame is freed while a channel can still write into it.
class FrameKeeper : public QObject
{
    Q_OBJECT
public:
    using DataFrame = ExtensionSystem::CommunicationInterface::DataFrame;

    static void keep(ExtensionSystem::CommunicationInterface *channel, unsigned int id,
                     std::unique_ptr<DataFrame> frame);

    // Frames still held on this channel (for diagnosis and tests).
    static int heldOn(const ExtensionSystem::CommunicationInterface *channel);

private:
    FrameKeeper(ExtensionSystem::CommunicationInterface *channel, unsigned int id, std::unique_ptr<DataFrame> frame);
    void finished(unsigned int id);

    unsigned int m_id;
    std::unique_ptr<DataFrame> m_frame;
};

} // namespace Core
} // namespace DirazSensorPlugin
