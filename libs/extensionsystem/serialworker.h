#pragma once

#include "communicationinterface.h"
#include "portsettings.h"

#include <QLoggingCategory>
#include <QObject>
#include <QString>
#include <atomic>
#include <memory>

class QSerialPort;

Q_DECLARE_LOGGING_CATEGORY(lcSerial)

namespace ExtensionSystem {

// Lives on the serial channel's thread and does the blocking port work there,
// one queued call at a time, so frames run strictly in order.
class SerialWorker : public QObject
{
    Q_OBJECT
public:
    // Silence after the last octet that ends an answer whose count octet
    // cannot be trusted.
    static constexpr int kAnswerGapMs = 40;

    // How often a wait for an answer looks whether the channel is going away.
    static constexpr int kStopCheckMs = 100;

    SerialWorker();

    // May be called from any thread: what is queued or running ends at once.
    void requestStop() { m_stopping = true; }
    ~SerialWorker() override;

public slots:
    void open(const ExtensionSystem::PortSettings &settings);
    void close();
    void writeText(const QByteArray &bytes);
    void execute(unsigned int id, ExtensionSystem::CommunicationInterface::DataFrame *frame);

signals:
    void frameDone(unsigned int id);
    void portStateChanged(bool open, const QString &error);

private:
    void runEntry(FrameEntry &entry);
    void writeCommand(const std::string &command);
    QByteArray readAnswer(double timeoutMs);

    std::unique_ptr<QSerialPort> m_port;
    std::atomic<bool> m_stopping{false};
    PortSettings m_settings;
};

} // namespace ExtensionSystem
