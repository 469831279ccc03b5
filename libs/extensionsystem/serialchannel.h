#pragma once

#include "communicationinterface.h"
#include "portsettings.h"

#include <QThread>
#include <atomic>
#include <mutex>

namespace ExtensionSystem {

class SerialWorker;

// The host's real channel: a serial port driven from a worker thread.
// Frames run in the order they were sent; emitFinished comes from the worker.
class SerialChannel : public CommunicationInterface
{
    Q_OBJECT
public:
    // The longest the caller of setPortSettings waits for the port.
    static constexpr int kSettingsWaitMs = 2000;

    explicit SerialChannel(QObject *parent = nullptr);
    ~SerialChannel() override;

    bool isOpen() const { return m_open; }
    QString lastError() const;

public slots:
    void sendText(const std::string &bytes) override;
    unsigned int sendFrame(ExtensionSystem::CommunicationInterface::DataFrame *frame) override;
    void setPortSettings(const ExtensionSystem::PortSettings &settings) override;
    const ExtensionSystem::PortSettings &portSettings() const override;

signals:
    void portStateChanged(bool open, const QString &error);

private:
    QThread m_thread;
    SerialWorker *m_worker = nullptr; // deleted on its own thread when it ends
    PortSettings m_settings;
    bool m_configured = false;
    std::atomic<unsigned int> m_nextId{1};
    std::atomic<bool> m_open{false};
    mutable std::mutex m_errorMutex;
    QString m_lastError;
};

} // namespace ExtensionSystem
