#include "serialworker.h"

#include "frametrace.h"

#include <QElapsedTimer>
#include <QSerialPort>
#include <QThread>

Q_LOGGING_CATEGORY(lcSerial, "extensionsystem.serial")

namespace ExtensionSystem {

SerialWorker::SerialWorker() = default;
SerialWorker::~SerialWorker() = default;

void SerialWorker::open(const PortSettings &settings)
{
    close();
    m_settings = settings;
    m_port = std::make_unique<QSerialPort>();
    m_port->setPortName(settings.portName);
    if (!m_port->open(QIODevice::ReadWrite)) {
        const QString error = m_port->errorString();
        qCWarning(lcSerial) << "cannot open" << settings.portName << ":" << error;
        m_port.reset();
        FrameTrace::recordPort(settings.portName, QStringLiteral("cannot open: ") + error);
        emit portStateChanged(false, error);
        return;
    }
    m_port->setBaudRate(settings.baudrate);
    m_port->setDataBits(QSerialPort::Data8);
    m_port->setParity(QSerialPort::NoParity);
    m_port->setStopBits(QSerialPort::OneStop);
    m_port->setFlowControl(QSerialPort::NoFlowControl);
    FrameTrace::recordPort(settings.portName, QStringLiteral("opened at %1 baud").arg(settings.baudrate));
    emit portStateChanged(true, QString());
}

void SerialWorker::close()
{
    if (m_port) {
        m_port->close();
        m_port.reset();
        emit portStateChanged(false, QString());
    }
}

void SerialWorker::writeText(const QByteArray &bytes)
{
    if (!m_port)
        return;
    if (m_port->write(bytes) != bytes.size() || !m_port->waitForBytesWritten(1000))
        qCWarning(lcSerial) << "writing text to" << m_settings.portName << "failed:" << m_port->errorString();
    FrameTrace::recordText(m_settings.portName, bytes);
}

void SerialWorker::execute(unsigned int id, CommunicationInterface::DataFrame *frame)
{
    if (frame) {
        for (FrameEntry &entry : *frame) {
            // A channel going away finishes what is queued unanswered rather
            // than waiting out every time-out of a silent device.
            if (m_stopping) {
                entry.answer.clear();
                entry.status = 0;
                continue;
            }
            runEntry(entry);
        }
    }
    emit frameDone(id);
}

void SerialWorker::runEntry(FrameEntry &entry)
{
    entry.answer.clear();
    entry.status = 0;
    if (!m_port)
        return;
    // Whatever is still unread belongs to an earlier request that timed out;
    // it must never pass for this entry's answer.
    m_port->clear(QSerialPort::Input);
    m_port->readAll();
    QElapsedTimer clock;
    clock.start();
    writeCommand(entry.command);
    if (m_settings.lineDelay > 0)
        QThread::msleep(static_cast<unsigned long>(m_settings.lineDelay));
    const QByteArray answer = readAnswer(entry.timeoutMs);
    FrameTrace::recordEntry(m_settings.portName, QByteArray(entry.command.data(), int(entry.command.size())), answer,
                            clock.elapsed(), entry.timeoutMs);
    entry.answer.assign(answer.constData(), static_cast<size_t>(answer.size()));
    entry.status = answer.isEmpty() ? 0 : 1;
    if (answer.isEmpty())
        qCInfo(lcSerial) << "no answer on" << m_settings.portName << "within" << entry.timeoutMs << "ms to"
                         << QByteArray(entry.command.data(), int(entry.command.size())).toHex(' ');
}

void SerialWorker::writeCommand(const std::string &command)
{
    const auto failed = [this] {
        qCWarning(lcSerial) << "writing a command to" << m_settings.portName << "failed:" << m_port->errorString();
    };
    if (m_settings.characterDelay <= 0) {
        if (m_port->write(command.data(), static_cast<qint64>(command.size())) != qint64(command.size())
            || !m_port->waitForBytesWritten(1000))
            failed();
        return;
    }
    for (char octet : command) {
        if (m_port->write(&octet, 1) != 1 || !m_port->waitForBytesWritten(1000)) {
            failed();
            return;
        }
        QThread::msleep(static_cast<unsigned long>(m_settings.characterDelay));
    }
}

QByteArray SerialWorker::readAnswer(double timeoutMs)
{
    QByteArray answer;
    QElapsedTimer clock;
    clock.start();
    const qint64 limit = static_cast<qint64>(timeoutMs);
    for (;;) {
        const qint64 remaining = limit - clock.elapsed();
        if (remaining <= 0 || m_stopping)
            break;
        // Short slices, so a channel going away is not held by a long time-out.
        const int wait = static_cast<int>(qMin<qint64>(remaining, answer.isEmpty() ? kStopCheckMs : kAnswerGapMs));
        if (!m_port->waitForReadyRead(wait)) {
            if (!answer.isEmpty())
                break; // the answer has ended, whatever its count octet said
            // A failing port returns at once; do not spin until the time-out.
            if (m_port->error() != QSerialPort::TimeoutError && m_port->error() != QSerialPort::NoError)
                QThread::msleep(static_cast<unsigned long>(qMin<qint64>(remaining, 20)));
            m_port->clearError();
            continue;
        }
        answer += m_port->readAll();
        const int expected = 1 + static_cast<unsigned char>(answer.at(0));
        if (answer.size() >= expected) {
            answer.truncate(expected);
            break;
        }
    }
    return answer;
}

} // namespace ExtensionSystem
