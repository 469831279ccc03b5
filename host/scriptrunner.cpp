#include "scriptrunner.h"

#include <extensionsystem/globals.h>

#include <QFileInfo>
#include <QTextStream>

using ExtensionSystem::PluginInterface;

ScriptRunner::ScriptRunner(QTextStream &out, QTextStream &err, QObject *parent)
    : QObject(parent), m_out(out), m_err(err)
{
    m_poll.setInterval(50);
    m_deadline.setSingleShot(true);
    connect(&m_deadline, &QTimer::timeout, this, [this] {
        complete(false, QStringLiteral("no outcome within %1 s").arg(m_stepTimeoutMs / 1000), StepFailed);
    });
}

void ScriptRunner::addSensor(PluginInterface *plugin, const QString &name)
{
    const size_t index = m_sensors.size();
    m_sensors.push_back(Sensor{plugin, name});
    if (!plugin)
        return;
    connect(plugin, &PluginInterface::connectionLost, this, [this, index] {
        Sensor &sensor = m_sensors[index];
        sensor.connected = false;
        sensor.lost = true;
        bool any = false;
        const QString why = problems(&any);
        m_err << "ndorix: sensor " << sensor.name << " lost" << (any ? ": " + why : QString()) << Qt::endl;
    });
}

void ScriptRunner::addStep(const Step &step) { m_steps.push_back(step); }

void ScriptRunner::start()
{
    QTimer::singleShot(0, this, &ScriptRunner::runNext);
}

QString ScriptRunner::describe(const Step &step)
{
    switch (step.kind) {
    case Step::Connect:
        return QStringLiteral("connect to %1").arg(step.argument);
    case Step::ConnectPcToSensor:
        return QStringLiteral("connect PC -> sensor on %1").arg(step.argument);
    case Step::Set:
        return QStringLiteral("set %1=%2").arg(step.argument, step.value);
    case Step::Click:
        return QStringLiteral("click %1").arg(step.argument);
    case Step::Wait:
        return QStringLiteral("wait %1 ms").arg(step.argument);
    case Step::Settings:
        return QStringLiteral("settings %1").arg(step.argument);
    case Step::SaveSettings:
        return QStringLiteral("save settings %1").arg(step.argument);
    case Step::ReadAll:
        return QStringLiteral("read all");
    case Step::WriteAll:
        return QStringLiteral("write all");
    }
    return QString();
}

void ScriptRunner::runNext()
{
    if (m_next >= m_steps.size()) {
        finish();
        return;
    }
    m_stepRunning = true;
    const Step &step = m_steps[m_next];
    m_deadline.start(m_stepTimeoutMs + (step.kind == Step::Wait ? step.argument.toInt() : 0));
    runStep(step);
}

void ScriptRunner::runStep(const Step &step)
{
    Sensor &sensor = m_sensors.at(size_t(step.sensor));
    PluginInterface *plugin = sensor.plugin;
    if (!plugin) {
        complete(false, QStringLiteral("the sensor window is not open"), CannotStart);
        return;
    }
    if (sensor.lost) {
        complete(false, QStringLiteral("the sensor was lost"), SensorLost);
        return;
    }
    // Whatever was shown before this step belongs to an earlier one.
    ExtensionSystem::Globals::takeUnattendedMessages();
    switch (step.kind) {
    case Step::Connect:
    case Step::ConnectPcToSensor: {
        const size_t index = size_t(step.sensor);
        m_pending = connect(plugin, &PluginInterface::connectionFinished, this, [this, index](bool connected) {
            disconnect(m_pending);
            m_sensors[index].connected = connected;
            bool any = false;
            const QString why = problems(&any);
            if (connected)
                complete(true, QStringLiteral("connected"), Ok);
            else
                complete(false, QStringLiteral("sensor refused") + (any ? ": " + why : QString()), SensorRefused);
        });
        if (step.kind == Step::Connect)
            plugin->vAutoConnect(step.argument);
        else
            plugin->vConnectPcToSensor(step.argument);
        return;
    }
    case Step::Set:
        afterAction(plugin->nSetParameter(step.argument, step.value));
        return;
    case Step::Click:
        afterAction(plugin->nClickParameter(step.argument));
        return;
    case Step::Wait:
        QTimer::singleShot(step.argument.toInt(), this, [this] { complete(true, QString(), Ok); });
        return;
    case Step::Settings: {
        const QFileInfo file(step.argument);
        if (!file.isFile() || !file.isReadable()) {
            complete(false, QStringLiteral("cannot read %1").arg(step.argument), FileRefused);
            return;
        }
        ExtensionSystem::Globals::setUnattendedFile(file.absoluteFilePath().toStdString());
        plugin->vActionOpen(file.absoluteFilePath());
        afterAction(PluginInterface::StepDone);
        return;
    }
    case Step::SaveSettings: {
        const QFileInfo file(step.argument);
        m_saveBefore = file.exists() ? file.lastModified() : QDateTime();
        ExtensionSystem::Globals::setUnattendedFile(file.absoluteFilePath().toStdString());
        plugin->vActionSaveSettings();
        afterAction(PluginInterface::StepDone);
        return;
    }
    case Step::ReadAll:
    case Step::WriteAll:
        if (!sensor.connected) {
            complete(false, QStringLiteral("the sensor is not connected"), StepFailed);
            return;
        }
        if (step.kind == Step::ReadAll)
            plugin->vActionReadAll();
        else
            plugin->vActionWriteAll();
        afterAction(PluginInterface::StepDone);
        return;
    }
}

void ScriptRunner::afterAction(int outcome)
{
    const Step &step = m_steps[m_next];
    switch (outcome) {
    case PluginInterface::StepDone:
        break;
    case PluginInterface::StepUnknownId:
        complete(false, QStringLiteral("no parameter with id %1").arg(step.argument), UnknownId);
        return;
    case PluginInterface::StepRefused:
        complete(false, QStringLiteral("refused (not editable now, or a value it cannot take)"), StepFailed);
        return;
    default:
        complete(false, QStringLiteral("the plug-in cannot do this"), StepFailed);
        return;
    }
    waitUntilIdle();
}

// The plug-in finishes its delayed writes, transfers and notices on its own
// time; the step's outcome is known only when it is idle again.
void ScriptRunner::waitUntilIdle()
{
    disconnect(&m_poll, nullptr, this, nullptr);
    connect(&m_poll, &QTimer::timeout, this, [this] {
        const Step &step = m_steps[m_next];
        PluginInterface *plugin = m_sensors.at(size_t(step.sensor)).plugin;
        if (plugin && plugin->bBusy())
            return;
        m_poll.stop();
        bool any = false;
        const QString why = problems(&any);
        if (step.kind == Step::SaveSettings) {
            const QFileInfo file(step.argument);
            const bool written = file.exists() && (!m_saveBefore.isValid() || file.lastModified() != m_saveBefore);
            if (any || !written)
                complete(false, any ? why : QStringLiteral("%1 was not written").arg(step.argument), SaveFailed);
            else
                complete(true, QString(), Ok);
            return;
        }
        if (any)
            complete(false, why, step.kind == Step::Settings ? FileRefused : StepFailed);
        else
            complete(true, QString(), Ok);
    });
    m_poll.start();
}

QString ScriptRunner::problems(bool *any)
{
    QStringList texts;
    *any = false;
    for (const auto &message : ExtensionSystem::Globals::takeUnattendedMessages()) {
        if (!message.problem)
            continue;
        *any = true;
        texts << QStringLiteral("%1: %2").arg(QString::fromStdString(message.title),
                                               QString::fromStdString(message.text).simplified());
    }
    return texts.join(QStringLiteral("; "));
}

void ScriptRunner::complete(bool ok, const QString &detail, int failure)
{
    if (!m_stepRunning)
        return;
    m_stepRunning = false;
    m_deadline.stop();
    m_poll.stop();
    disconnect(m_pending);
    const Step &step = m_steps[m_next];
    const Sensor &sensor = m_sensors.at(size_t(step.sensor));
    QString why = detail;
    if (sensor.lost && (ok || failure == StepFailed)) {
        ok = false;
        failure = SensorLost;
        why = QStringLiteral("the sensor was lost");
    }
    const QString what = QStringLiteral("step %1: sensor %2 (%3): %4")
                             .arg(m_next + 1)
                             .arg(step.sensor + 1)
                             .arg(sensor.name, describe(step));
    if (ok) {
        m_out << what << ": ok" << (why.isEmpty() ? QString() : " (" + why + ")") << Qt::endl;
        ++m_next;
        runNext();
        return;
    }
    m_out << what << ": failed (" << why << ")" << Qt::endl;
    m_err << "ndorix: " << what << " failed: " << why << Qt::endl;
    m_status = failure;
    const size_t skipped = m_steps.size() - m_next - 1;
    if (skipped > 0)
        m_out << "skipped: " << skipped << " remaining step(s)" << Qt::endl;
    finish();
}

void ScriptRunner::finish()
{
    if (m_finished)
        return;
    m_finished = true;
    if (!m_steps.empty())
        m_out << "steps: " << (m_status == Ok ? "all done" : "failed") << ", exit status " << m_status << Qt::endl;
    emit finished(m_status);
}
