#include "simulatorprocess.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>

#include <csignal>
#include <sys/prctl.h>
#include <unistd.h>

void OrphanFreeProcess::setupChildProcess()
{
    // Runs in the child between fork and exec. The host may already be gone
    // by now; then the death signal would never come.
    prctl(PR_SET_PDEATHSIG, SIGTERM);
    if (getppid() != pid_t(m_host))
        _exit(0);
}

SimulatorProcess::SimulatorProcess(QObject *parent) : QObject(parent)
{
    // Its trace and warnings go where ours go; its output names the port.
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
}

SimulatorProcess::~SimulatorProcess()
{
    if (m_process.state() != QProcess::NotRunning) {
        m_process.terminate();
        if (!m_process.waitForFinished(2000))
            m_process.kill();
        m_process.waitForFinished(1000);
    }
}

QString SimulatorProcess::start(const QStringList &arguments, int waitMs)
{
    const QString program = QCoreApplication::applicationDirPath() + "/iolink-sim";
    if (!QFileInfo(program).isExecutable()) {
        m_error = QStringLiteral("%1 not found").arg(program);
        return QString();
    }
    m_process.start(program, arguments);
    if (!m_process.waitForStarted(waitMs)) {
        m_error = m_process.errorString();
        return QString();
    }
    QElapsedTimer clock;
    clock.start();
    while (!m_process.canReadLine() && clock.elapsed() < waitMs) {
        if (!m_process.waitForReadyRead(static_cast<int>(waitMs - clock.elapsed())))
            break;
    }
    if (!m_process.canReadLine()) {
        m_error = QStringLiteral("the simulator named no port");
        return QString();
    }
    m_port = QString::fromLocal8Bit(m_process.readLine()).trimmed();
    return m_port;
}

QStringList SimulatorProcess::argumentsFor(const QString &openedModel, const QStringList &extra)
{
    if (openedModel.isEmpty())
        return extra;
    for (const QString &argument : extra)
        if (argument == QLatin1String("--variant") || argument.startsWith(QLatin1String("--variant=")))
            return extra;
    return QStringList{QStringLiteral("--model"), openedModel} + extra;
}
