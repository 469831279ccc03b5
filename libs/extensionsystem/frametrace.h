#pragma once

#include <QByteArray>
#include <QString>

namespace ExtensionSystem {

// A trace of every frame and answer the host's serial channels carry, one
// line each, for the day a device stays silent. Off until a file is opened;
// channels on several threads write to it.
class FrameTrace
{
public:
    // Truncates FILE and traces into it from now on; false when it cannot be
    // written.
    static bool open(const QString &fileName, QString *error = nullptr);
    static void close();
    static bool isOpen();

    // One request and what came back; an empty answer is a time-out.
    static void recordEntry(const QString &port, const QByteArray &command, const QByteArray &answer,
                            qint64 elapsedMs, double timeoutMs);
    static void recordText(const QString &port, const QByteArray &text);
    static void recordPort(const QString &port, const QString &event);

    // "answered", "timed out" or "ERROR": how the master ended a request.
    static QString outcome(const QByteArray &answer);
    static QString line(const QString &port, const QByteArray &command, const QByteArray &answer,
                        qint64 elapsedMs, double timeoutMs);
};

} // namespace ExtensionSystem
