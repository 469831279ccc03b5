#include "serialchannel.h"

#include "serialworker.h"

#include <chrono>
#include <future>

namespace ExtensionSystem {

SerialChannel::SerialChannel(QObject *parent) : CommunicationInterface(parent)
{
    qRegisterMetaType<ExtensionSystem::PortSettings>("ExtensionSystem::PortSettings");
    qRegisterMetaType<ExtensionSystem::CommunicationInterface::DataFrame *>(
        "ExtensionSystem::CommunicationInterface::DataFrame*");
    m_thread.setObjectName("SerialChannel");
    m_worker = new SerialWorker;
    m_worker->moveToThread(&m_thread);
    connect(&m_thread, &QThread::finished, m_worker, &QObject::deleteLater);
    // Direct: the finished signal leaves from the worker thread, as the
    // plug-in expects of the host's channel.
    connect(m_worker, &SerialWorker::frameDone, this, &SerialChannel::emitFinished, Qt::DirectConnection);
    connect(m_worker, &SerialWorker::portStateChanged, this,
            [this](bool open, const QString &error) {
                m_open = open;
                {
                    std::lock_guard<std::mutex> lock(m_errorMutex);
                    if (!error.isEmpty())
                        m_lastError = error;
                }
                emit portStateChanged(open, error);
            },
            Qt::DirectConnection);
    m_thread.start();
}

SerialChannel::~SerialChannel()
{
    m_worker->requestStop();
    // The port must close on the thread that owns it.
    QMetaObject::invokeMethod(m_worker, &SerialWorker::close, Qt::BlockingQueuedConnection);
    m_thread.quit();
    m_thread.wait();
}

QString SerialChannel::lastError() const
{
    std::lock_guard<std::mutex> lock(m_errorMutex);
    return m_lastError;
}

void SerialChannel::sendText(const std::string &bytes)
{
    const QByteArray data(bytes.data(), static_cast<int>(bytes.size()));
    QMetaObject::invokeMethod(m_worker, [worker = m_worker, data] { worker->writeText(data); }, Qt::QueuedConnection);
}

unsigned int SerialChannel::sendFrame(DataFrame *frame)
{
    const unsigned int id = m_nextId++;
    QMetaObject::invokeMethod(m_worker, [worker = m_worker, id, frame] { worker->execute(id, frame); },
                              Qt::QueuedConnection);
    return id;
}

void SerialChannel::setPortSettings(const PortSettings &settings)
{
    // Reopening toggles the adapter's modem lines; settings that did not
    // change leave the port alone.
    if (m_configured && settings == m_settings)
        return;
    m_settings = settings;
    m_configured = true;
    // The reopen is queued behind the frames already sent, so frames sent
    // after it find the port reopened anyway. The wait only lets the first
    // open report its outcome; it never holds the caller behind a queue of
    // frames for longer than one answer may take.
    auto opened = std::make_shared<std::promise<void>>();
    std::future<void> done = opened->get_future();
    QMetaObject::invokeMethod(m_worker, [worker = m_worker, settings, opened] {
        worker->open(settings);
        opened->set_value();
    }, Qt::QueuedConnection);
    if (done.wait_for(std::chrono::milliseconds(kSettingsWaitMs)) != std::future_status::ready)
        qCWarning(lcSerial) << "reopening" << settings.portName << "is queued behind frames still running";
}

const PortSettings &SerialChannel::portSettings() const { return m_settings; }

} // namespace ExtensionSystem
