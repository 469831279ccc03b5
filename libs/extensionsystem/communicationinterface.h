#pragma once

#include "frameentry.h"
#include "portsettings.h"

#include <QMetaType>
#include <QObject>
#include <list>
#include <string>

namespace ExtensionSystem {

// The serial channel the host lends to a plug-in. Frames are executed
// asynchronously; emitFinished(id) reports one done, possibly from another thread.
class CommunicationInterface : public QObject
{
    Q_OBJECT
public:
    // std::list: entries keep their addresses while the channel fills them.
    using DataFrame = std::list<FrameEntry>;

    explicit CommunicationInterface(QObject *parent = nullptr) : QObject(parent) {}
    ~CommunicationInterface() override = default;

public slots:
    virtual void sendText(const std::string &bytes) = 0;
    virtual unsigned int sendFrame(ExtensionSystem::CommunicationInterface::DataFrame *frame) = 0;
    virtual void setPortSettings(const ExtensionSystem::PortSettings &settings) = 0;
    virtual const ExtensionSystem::PortSettings &portSettings() const = 0;

signals:
    void emitFinished(unsigned int id);
};

using DataFrame = CommunicationInterface::DataFrame;

} // namespace ExtensionSystem

Q_DECLARE_METATYPE(ExtensionSystem::CommunicationInterface::DataFrame)
