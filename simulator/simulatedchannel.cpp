#include "simulator/simulatedchannel.h"

#include <QCoreApplication>
#include <QTimer>

#include <algorithm>

namespace IoLinkSim {

namespace {

DeviceDescription loadDescription(const QString &path, bool *ok)
{
    DeviceDescription d;
    *ok = d.load(path.toStdString());
    return d;
}

} // namespace

SimulatedChannel::SimulatedChannel(QObject *parent) : SimulatedChannel(defaultDescriptionPath(), parent) {}

SimulatedChannel::SimulatedChannel(const QString &descriptionPath, QObject *parent)
    : CommunicationInterface(parent)
{
    const DeviceDescription description = loadDescription(descriptionPath, &m_valid);
    m_master = std::make_unique<SimulatedMaster>(description);
}

SimulatedChannel::~SimulatedChannel() = default;

QString SimulatedChannel::defaultDescriptionPath()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/IoLinkK4Kv7family.xml");
}

void SimulatedChannel::sendText(const std::string &bytes)
{
    m_master->handleFrame(bytes);
    m_records.push_back({bytes, std::string(), 0});
}

unsigned int SimulatedChannel::sendFrame(DataFrame *frame)
{
    Job job;
    job.id = m_nextId++;
    job.frame = frame;
    if (frame)
        job.next = frame->begin();
    m_jobs.push_back(job);
    if (!m_running)
        scheduleNext();
    return job.id;
}

void SimulatedChannel::setPortSettings(const ExtensionSystem::PortSettings &settings)
{
    m_settings = settings;
}

const ExtensionSystem::PortSettings &SimulatedChannel::portSettings() const
{
    return m_settings;
}

void SimulatedChannel::scheduleNext()
{
    m_running = !m_jobs.empty();
    if (m_running)
        QTimer::singleShot(0, this, &SimulatedChannel::runEntry);
}

void SimulatedChannel::runEntry()
{
    Job &job = m_jobs.front();
    if (!job.frame || job.next == job.frame->end()) {
        const unsigned int id = job.id;
        m_jobs.pop_front();
        // Schedule before telling: a receiver may wait for its next frame in
        // a nested event loop right inside this signal.
        scheduleNext();
        emit emitFinished(id);
        return;
    }
    ExtensionSystem::FrameEntry &entry = *job.next;
    entry.answer.clear();
    entry.status = 0;
    const MasterReply reply = m_master->handleFrame(entry.command);
    if (m_clockStep > 0)
        m_master->model().advanceClock(m_clockStep);
    const int timeout = entry.timeoutMs > 0 ? int(entry.timeoutMs) : 0;
    const bool inTime = reply.answered && reply.delayMs <= timeout;
    const int silence = m_silenceLimit >= 0 ? std::min(timeout, m_silenceLimit) : timeout;
    QTimer::singleShot(inTime ? reply.delayMs : silence, this,
                       [this, reply, inTime] { finishEntry(reply, inTime); });
}

void SimulatedChannel::finishEntry(const MasterReply &reply, bool inTime)
{
    Job &job = m_jobs.front();
    ExtensionSystem::FrameEntry &entry = *job.next;
    if (inTime) {
        entry.answer = reply.octets;
        entry.status = entry.answer.empty() ? 0 : 1;
    }
    m_records.push_back({entry.command, entry.answer, entry.status});
    ++job.next;
    runEntry();
}

} // namespace IoLinkSim
