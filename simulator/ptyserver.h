#pragma once

#include "simulator/frameassembler.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <deque>
#include <functional>
#include <string>

namespace IoLinkSim {

class SimulatedMaster;

// Serves a simulated master on a pseudo-terminal. The peer may open and close
// the other end as often as it likes; the server keeps that end alive itself.
class PtyServer
{
public:
    explicit PtyServer(SimulatedMaster *master);
    ~PtyServer();
    PtyServer(const PtyServer &) = delete;
    PtyServer &operator=(const PtyServer &) = delete;

    bool open(std::string *error);
    std::string slavePath() const { return m_path; }
    // Called with one line per frame and per answer.
    void setTrace(std::function<void(const std::string &)> trace) { m_trace = std::move(trace); }

    // Lines read from `fd` (standard input, say) go to `onLine` without their
    // line end; at the end of that input it is no longer watched.
    void setControlInput(int fd, std::function<void(const std::string &)> onLine);
    // Called on every turn of the loop, at least every 50 ms.
    void setIdle(std::function<void()> idle) { m_idle = std::move(idle); }

    // Serves until `stop` is set; looks at it at least every 50 ms.
    void run(const std::atomic<bool> &stop);

private:
    struct Outgoing
    {
        std::int64_t due;
        std::string octets;
    };

    std::int64_t nowMs() const;
    void handle(const FrameAssembler::Event &event);
    void flushDue();
    void trace(const char *direction, const std::string &octets);

    SimulatedMaster *m_master;
    int m_fd = -1;
    int m_keepOpen = -1;
    std::string m_path;
    FrameAssembler m_assembler;
    std::deque<Outgoing> m_outgoing;
    std::function<void(const std::string &)> m_trace;
    int m_controlFd = -1;
    std::string m_controlBuffer;
    std::function<void(const std::string &)> m_onControlLine;
    std::function<void()> m_idle;
    std::chrono::steady_clock::time_point m_start = std::chrono::steady_clock::now();
};

} // namespace IoLinkSim
