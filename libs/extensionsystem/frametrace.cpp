#include "frametrace.h"

#include <QDateTime>
#include <QFile>
#include <QLoggingCategory>
#include <memory>
#include <mutex>

namespace ExtensionSystem {

namespace {

std::mutex g_mutex;
std::unique_ptr<QFile> g_file;

QString stamp() { return QDateTime::currentDateTime().toString(Qt::ISODateWithMs); }

void writeLine(const QString &text)
{
    std::lock_guard<std::mutex> lock(g_mutex);
    if (!g_file)
        return;
    g_file->write((stamp() + ' ' + text + '\n').toUtf8());
    // Flushed at once: the trace matters most when the host does not end well.
    g_file->flush();
}

QString hex(const QByteArray &bytes)
{
    return bytes.isEmpty() ? QStringLiteral("-") : QString::fromLatin1(bytes.toHex(' '));
}

} // namespace

bool FrameTrace::open(const QString &fileName, QString *error)
{
    auto file = std::make_unique<QFile>(fileName);
    if (!file->open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text)) {
        if (error)
            *error = file->errorString();
        return false;
    }
    std::lock_guard<std::mutex> lock(g_mutex);
    g_file = std::move(file);
    return true;
}

void FrameTrace::close()
{
    std::lock_guard<std::mutex> lock(g_mutex);
    g_file.reset();
}

bool FrameTrace::isOpen()
{
    std::lock_guard<std::mutex> lock(g_mutex);
    return g_file != nullptr;
}

QString FrameTrace::outcome(const QByteArray &answer)
{
    if (answer.isEmpty())
        return QStringLiteral("timed out");
    if (answer.mid(1).startsWith("ERROR"))
        return QStringLiteral("ERROR");
    return QStringLiteral("answered");
}

QString FrameTrace::line(const QString &port, const QByteArray &command, const QByteArray &answer,
                         qint64 elapsedMs, double timeoutMs)
{
    const QString result = outcome(answer);
    const QString when = answer.isEmpty() ? QStringLiteral("after %1 ms (limit %2 ms)").arg(elapsedMs).arg(timeoutMs)
                                          : QStringLiteral("in %1 ms").arg(elapsedMs);
    return QStringLiteral("%1 -> %2 <- %3 %4 %5").arg(port, hex(command), hex(answer), result, when);
}

void FrameTrace::recordEntry(const QString &port, const QByteArray &command, const QByteArray &answer,
                             qint64 elapsedMs, double timeoutMs)
{
    if (isOpen())
        writeLine(line(port, command, answer, elapsedMs, timeoutMs));
}

void FrameTrace::recordText(const QString &port, const QByteArray &text)
{
    if (isOpen())
        writeLine(QStringLiteral("%1 -> %2 text, no answer awaited").arg(port, hex(text)));
}

void FrameTrace::recordPort(const QString &port, const QString &event)
{
    if (isOpen())
        writeLine(QStringLiteral("%1 %2").arg(port, event));
}

} // namespace ExtensionSystem
