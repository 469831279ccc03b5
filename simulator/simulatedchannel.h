#pragma once

#include "simulator/simulatedmaster.h"

#include <extensionsystem/communicationinterface.h>
#include <extensionsystem/portsettings.h>

#include <QString>

#include <deque>
#include <memory>
#include <string>
#include <vector>

namespace IoLinkSim {

// The channel a plug-in gets when the simulated master stands in for the
// serial port: frames run in order, entries one after another, and each
// answer arrives through the event loop after its delay; an unanswered entry
// ends after its own timeoutMs.
class SimulatedChannel : public ExtensionSystem::CommunicationInterface
{
    Q_OBJECT
public:
    struct Record
    {
        std::string command;
        std::string answer;
        int status = 0;
    };

    // The description file beside the program.
    explicit SimulatedChannel(QObject *parent = nullptr);
    explicit SimulatedChannel(const QString &descriptionPath, QObject *parent = nullptr);
    ~SimulatedChannel() override;

    // False when the description file could not be read.
    bool isValid() const { return m_valid; }
    SimulatedMaster &master() { return *m_master; }
    DeviceModel &model() { return m_master->model(); }

    // Every entry with its answer, in the order they finished.
    const std::vector<Record> &records() const { return m_records; }
    void clearRecords() { m_records.clear(); }
    // Moves the virtual clock on by this much with each frame handled, so a
    // test sees the object move without waiting.
    void setClockStepPerFrame(int ms) { m_clockStep = ms; }
    // An unanswered entry ends after at most this long instead of its own
    // timeoutMs, so a test of lost answers need not wait out every one.
    void setSilenceLimitMs(int ms) { m_silenceLimit = ms; }

    static QString defaultDescriptionPath();

public slots:
    void sendText(const std::string &bytes) override;
    unsigned int sendFrame(ExtensionSystem::CommunicationInterface::DataFrame *frame) override;
    void setPortSettings(const ExtensionSystem::PortSettings &settings) override;
    const ExtensionSystem::PortSettings &portSettings() const override;

private:
    struct Job
    {
        unsigned int id = 0;
        DataFrame *frame = nullptr;
        DataFrame::iterator next;
    };

    void scheduleNext();
    void runEntry();
    void finishEntry(const MasterReply &reply, bool inTime);

    std::unique_ptr<SimulatedMaster> m_master;
    bool m_valid = false;
    ExtensionSystem::PortSettings m_settings;
    std::deque<Job> m_jobs;
    bool m_running = false;
    unsigned int m_nextId = 1;
    int m_clockStep = 0;
    int m_silenceLimit = -1;
    std::vector<Record> m_records;
};

} // namespace IoLinkSim
