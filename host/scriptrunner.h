#pragma once

#include <extensionsystem/plugininterface.h>

#include <QDateTime>
#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <vector>

class QTextStream;

// Runs the steps of a scripted configuration in command-line order, one at a
// time, each after the connection of its sensor has completed, and prints
// one line per step. The plug-in is driven only through PluginInterface.
class ScriptRunner : public QObject
{
    Q_OBJECT
public:
    // Exit statuses; each failure has its own so a script can tell them apart.
    enum Status {
        Ok = 0,
        Usage = 1,
        CannotStart = 2,
        SensorRefused = 3,
        SensorLost = 4,
        UnknownId = 5,
        FileRefused = 6,
        SaveFailed = 7,
        StepFailed = 8,
    };

    struct Step
    {
        enum Kind { Connect, ConnectPcToSensor, Set, Click, Wait, Settings, SaveSettings, ReadAll, WriteAll };
        Kind kind;
        int sensor; // index of the --open it follows
        QString argument;
        QString value;
    };

    ScriptRunner(QTextStream &out, QTextStream &err, QObject *parent = nullptr);

    // Sensors in the order of their --open; null for a model that could not open.
    void addSensor(ExtensionSystem::PluginInterface *plugin, const QString &name);
    void addStep(const Step &step);
    bool hasSteps() const { return !m_steps.empty(); }
    // Upper bound for any one step to finish.
    void setStepTimeout(int ms) { m_stepTimeoutMs = ms; }

    void start();
    bool isFinished() const { return m_finished; }
    int status() const { return m_status; }

    static QString describe(const Step &step);

signals:
    void finished(int status);

private:
    struct Sensor
    {
        QPointer<ExtensionSystem::PluginInterface> plugin;
        QString name;
        bool connected = false;
        bool lost = false;
    };

    void runNext();
    void runStep(const Step &step);
    void afterAction(int outcome);
    void waitUntilIdle();
    void complete(bool ok, const QString &detail, int failure);
    void finish();
    QString problems(bool *any);

    QTextStream &m_out;
    QTextStream &m_err;
    std::vector<Sensor> m_sensors;
    std::vector<Step> m_steps;
    size_t m_next = 0;
    int m_status = Ok;
    bool m_finished = false;
    bool m_stepRunning = false;
    int m_stepTimeoutMs = 120000;
    QTimer m_poll;
    QTimer m_deadline;
    QElapsedTimer m_stepClock;
    QDateTime m_saveBefore;
    QMetaObject::Connection m_pending;
};
