#pragma once

// iolink-sim on a pseudo-terminal and the host's real serial channel open on
// it: the path a person's window takes, for end-to-end tests and benchmarks.

#include <extensionsystem/serialchannel.h>

#include <QCoreApplication>
#include <QProcess>
#include <QSignalSpy>
#include <QStringList>

namespace K4KTest {

class SimulatorOnPort
{
public:
    ~SimulatorOnPort()
    {
        channel.reset();
        process.kill();
        process.waitForFinished(5000);
    }

    // False when the simulator does not start or its port does not open.
    bool start(const QStringList &arguments, int lineDelay)
    {
        process.start(QCoreApplication::applicationDirPath() + QStringLiteral("/iolink-sim"), arguments);
        if (!process.waitForStarted(10000) || !process.waitForReadyRead(10000))
            return false;
        settings.portName = QString::fromLocal8Bit(process.readLine()).trimmed();
        settings.lineDelay = lineDelay;
        channel = std::make_unique<ExtensionSystem::SerialChannel>();
        QSignalSpy opened(channel.get(), &ExtensionSystem::SerialChannel::portStateChanged);
        channel->setPortSettings(settings);
        for (int i = 0; i < 50 && !channel->isOpen(); ++i)
            opened.wait(100);
        return channel->isOpen();
    }

    // The simulator's "->" trace lines (frames it received), time stamps
    // dropped; call once, after the frames of interest.
    QStringList receivedFrames()
    {
        process.kill();
        process.waitForFinished(5000);
        QStringList out;
        for (const QString &line : QString::fromLocal8Bit(process.readAllStandardError()).split('\n')) {
            if (line.contains(QStringLiteral(" -> ")))
                out << line.section(QStringLiteral(" -> "), 1).trimmed();
        }
        return out;
    }

    QProcess process;
    ExtensionSystem::PortSettings settings;
    std::unique_ptr<ExtensionSystem::SerialChannel> channel;
};

} // namespace K4KTest
