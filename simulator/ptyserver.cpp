#include "simulator/ptyserver.h"

#include "simulator/simulatedmaster.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace IoLinkSim {

PtyServer::PtyServer(SimulatedMaster *master) : m_master(master) {}

PtyServer::~PtyServer()
{
    if (m_keepOpen >= 0)
        ::close(m_keepOpen);
    if (m_fd >= 0)
        ::close(m_fd);
}

bool PtyServer::open(std::string *error)
{
    m_fd = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (m_fd < 0 || grantpt(m_fd) != 0 || unlockpt(m_fd) != 0) {
        if (error)
            *error = std::string("cannot create a pseudo-terminal: ") + std::strerror(errno);
        return false;
    }
    m_path = ptsname(m_fd);
    // Holding our own descriptor of the far end keeps the line up while no
    // peer has it open, so a closing host never ends the session.
    m_keepOpen = ::open(m_path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (m_keepOpen < 0) {
        if (error)
            *error = "cannot open " + m_path + ": " + std::strerror(errno);
        return false;
    }
    termios raw{};
    if (tcgetattr(m_keepOpen, &raw) == 0) {
        cfmakeraw(&raw);
        tcsetattr(m_keepOpen, TCSANOW, &raw);
    }
    return true;
}

std::int64_t PtyServer::nowMs() const
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - m_start).count();
}

void PtyServer::run(const std::atomic<bool> &stop)
{
    char buffer[512];
    while (!stop.load()) {
        const std::int64_t now = nowMs();
        std::int64_t wait = 50;
        if (!m_outgoing.empty())
            wait = std::min(wait, std::max<std::int64_t>(0, m_outgoing.front().due - now));
        const std::int64_t gap = m_assembler.deadline();
        if (gap >= 0)
            wait = std::min(wait, std::max<std::int64_t>(0, gap - now));
        pollfd fds[2] = {{m_fd, POLLIN, 0}, {m_controlFd, POLLIN, 0}};
        const int ready = ::poll(fds, m_controlFd >= 0 ? 2 : 1, int(wait));
        const pollfd &p = fds[0];
        if (m_controlFd >= 0 && (fds[1].revents & (POLLIN | POLLHUP | POLLERR))) {
            const ssize_t n = ::read(m_controlFd, buffer, sizeof buffer);
            if (n <= 0) {
                m_controlFd = -1;
            } else {
                m_controlBuffer.append(buffer, std::size_t(n));
                std::size_t end;
                while ((end = m_controlBuffer.find('\n')) != std::string::npos) {
                    std::string line = m_controlBuffer.substr(0, end);
                    m_controlBuffer.erase(0, end + 1);
                    if (!line.empty() && line.back() == '\r')
                        line.pop_back();
                    m_onControlLine(line);
                }
            }
        }
        if (ready > 0 && (p.revents & POLLIN)) {
            const ssize_t n = ::read(m_fd, buffer, sizeof buffer);
            if (n > 0) {
                for (const auto &event : m_assembler.feed(std::string(buffer, std::size_t(n)), nowMs()))
                    handle(event);
            }
        } else if (ready > 0 && (p.revents & (POLLHUP | POLLERR))) {
            ::usleep(10000); // nobody on the far end; we still hold it, so this passes
        }
        for (const auto &event : m_assembler.idle(nowMs()))
            handle(event);
        flushDue();
        if (m_idle)
            m_idle();
    }
}

void PtyServer::setControlInput(int fd, std::function<void(const std::string &)> onLine)
{
    m_controlFd = onLine ? fd : -1;
    m_onControlLine = std::move(onLine);
}

void PtyServer::handle(const FrameAssembler::Event &event)
{
    trace(event.malformed ? "?>" : "->", event.frame);
    if (event.malformed) {
        // A frame that never completed, or noise: the master says so.
        m_outgoing.push_back({nowMs(), SimulatedMaster::errorAnswer()});
        return;
    }
    const MasterReply reply = m_master->handleFrame(event.frame);
    if (!reply.answered) {
        trace("<-", std::string());
        return;
    }
    const std::int64_t due = std::max(nowMs() + reply.delayMs, m_outgoing.empty() ? 0 : m_outgoing.back().due);
    m_outgoing.push_back({due, reply.octets});
}

void PtyServer::flushDue()
{
    const std::int64_t now = nowMs();
    while (!m_outgoing.empty() && m_outgoing.front().due <= now) {
        const std::string octets = m_outgoing.front().octets;
        m_outgoing.pop_front();
        trace("<-", octets);
        std::size_t done = 0;
        while (done < octets.size()) {
            const ssize_t n = ::write(m_fd, octets.data() + done, octets.size() - done);
            if (n > 0) {
                done += std::size_t(n);
                continue;
            }
            if (n < 0 && errno == EINTR)
                continue;
            break; // the line is full because nobody reads it: drop the rest
        }
    }
}

void PtyServer::trace(const char *direction, const std::string &octets)
{
    if (!m_trace)
        return;
    std::string line = std::to_string(nowMs()) + " " + direction;
    if (octets.empty())
        line += " (nothing)";
    char hex[4];
    for (char c : octets) {
        std::snprintf(hex, sizeof hex, " %02x", static_cast<unsigned char>(c));
        line += hex;
    }
    m_trace(line);
}

} // namespace IoLinkSim
