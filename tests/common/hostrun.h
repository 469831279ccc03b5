#pragma once

// Runs ndorix (or a copy of it) offscreen as a script would, to its end.

#include <QProcess>
#include <QString>
#include <QStringList>

struct HostRun
{
    int exitCode = -1; // -1: did not end in time, and was killed
    QString out;
    QString err;
};

inline HostRun runHost(const QString &program, const QStringList &arguments, int timeoutMs = 120000)
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    process.setProcessEnvironment(env);
    process.start(program, arguments);
    HostRun run;
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished();
        run.err = "timed out";
        return run;
    }
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = QString::fromLocal8Bit(process.readAllStandardOutput());
    run.err = QString::fromLocal8Bit(process.readAllStandardError());
    return run;
}
