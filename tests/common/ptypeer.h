#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <atomic>
#include <chrono>
#include <fcntl.h>
#include <functional>
#include <mutex>
#include <poll.h>
#include <stdlib.h>
#include <thread>
#include <unistd.h>

namespace K4KTest {

struct Reply
{
    QByteArray bytes;   // written back, in chunks of chunkSize octets
    int delayMs = 0;    // before the first octet
    int chunkSize = 0;  // 0: all at once
    int chunkGapMs = 0; // between chunks
};

// The device end of a pseudo-terminal: reads count-prefixed commands and
// answers each with whatever the script says.
class PtyPeer
{
public:
    using Script = std::function<Reply(const QByteArray &command)>;

    // Without a script nobody answers: the terminal just stands in for a port.
    explicit PtyPeer(Script script = nullptr) : m_script(std::move(script))
    {
        m_fd = posix_openpt(O_RDWR | O_NOCTTY);
        if (m_fd < 0 || grantpt(m_fd) != 0 || unlockpt(m_fd) != 0)
            return;
        m_path = QString::fromLocal8Bit(ptsname(m_fd));
        if (m_script)
            m_thread = std::thread([this] { serve(); });
    }
    ~PtyPeer()
    {
        m_stop = true;
        if (m_thread.joinable())
            m_thread.join();
        if (m_fd >= 0)
            ::close(m_fd);
    }
    QString path() const { return m_path; }
    QList<QByteArray> commands() const
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_commands;
    }

private:
    void serve()
    {
        QByteArray pending;
        while (!m_stop) {
            pollfd p{m_fd, POLLIN, 0};
            if (::poll(&p, 1, 20) <= 0 || !(p.revents & POLLIN))
                continue;
            char buf[256];
            const ssize_t n = ::read(m_fd, buf, sizeof buf);
            if (n <= 0)
                continue;
            pending.append(buf, static_cast<int>(n));
            while (!pending.isEmpty() && pending.size() >= 1 + static_cast<unsigned char>(pending.at(0))) {
                const int len = 1 + static_cast<unsigned char>(pending.at(0));
                const QByteArray command = pending.left(len);
                pending.remove(0, len);
                {
                    std::lock_guard<std::mutex> lock(m_mutex);
                    m_commands.append(command);
                }
                answer(m_script(command));
            }
        }
    }
    void answer(const Reply &reply)
    {
        if (reply.delayMs > 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(reply.delayMs));
        const int chunk = reply.chunkSize > 0 ? reply.chunkSize : reply.bytes.size();
        for (int at = 0; at < reply.bytes.size(); at += chunk) {
            if (at > 0 && reply.chunkGapMs > 0)
                std::this_thread::sleep_for(std::chrono::milliseconds(reply.chunkGapMs));
            const QByteArray part = reply.bytes.mid(at, chunk);
            if (::write(m_fd, part.constData(), static_cast<size_t>(part.size())) < 0)
                return;
        }
    }

    Script m_script;
    int m_fd = -1;
    QString m_path;
    std::thread m_thread;
    std::atomic<bool> m_stop{false};
    mutable std::mutex m_mutex;
    QList<QByteArray> m_commands;
};

} // namespace K4KTest
