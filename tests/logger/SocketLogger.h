#pragma once

#include "LoggerHarness.h"
#include "platform/PosixUdpSocket.h"

#include <chrono>
#include <functional>
#include <mutex>

// Work that a socket's receive thread hands to "the window's thread": here, the test's.
class PostedWork {
public:
    void post(std::function<void()> f) {
        std::lock_guard lock(m_mutex);
        m_work.push_back(std::move(f));
    }
    // Runs posted work until `done` holds; false if it does not within the deadline.
    bool runUntil(const std::function<bool()>& done,
                  std::chrono::milliseconds deadline = std::chrono::seconds(10));

private:
    std::mutex m_mutex;
    std::vector<std::function<void()>> m_work;
};

// A presenter of its own on a real socket, set to a free port of this machine; `records` come
// after the port's record in the settings file. What the socket's thread hands over runs
// while the test waits for it.
struct SocketLogger {
    explicit SocketLogger(const std::string& records = {}, PendingLimits limits = {});

    bool waitForQueue(std::size_t n);
    // True once a datagram sent to `p` reaches the queue.
    bool receives(int p);

    LoggerHarness h;
    int port;
    PostedWork posted;
    PosixUdpSocket socket;
    LoggerPresenter presenter{h.ports(socket), h.dir.path()};
};
