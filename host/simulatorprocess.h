#pragma once

#include <QCoreApplication>
#include <QObject>
#include <QProcess>
#include <QStringList>

// A child that the kernel ends when its parent goes, however the parent
// went (killed included), so no simulator outlives its host.
class OrphanFreeProcess : public QProcess
{
public:
    using QProcess::QProcess;

protected:
    void setupChildProcess() override;

private:
    const qint64 m_host = QCoreApplication::applicationPid();
};

// The simulated master (iolink-sim) in a child process; it names the
// pseudo-terminal it serves on its first output line.
class SimulatorProcess : public QObject
{
    Q_OBJECT
public:
    explicit SimulatorProcess(QObject *parent = nullptr);
    ~SimulatorProcess() override;

    // Starts the program beside this one and waits for its port; empty on failure.
    QString start(const QStringList &arguments, int waitMs = 5000);
    // The simulator's arguments for an opened model: it plays that model's
    // first variant unless the extra arguments choose a --variant.
    static QStringList argumentsFor(const QString &openedModel, const QStringList &extra);
    QString portPath() const { return m_port; }
    QString errorString() const { return m_error; }
    qint64 processId() const { return m_process.processId(); }

private:
    OrphanFreeProcess m_process;
    QString m_port;
    QString m_error;
};
