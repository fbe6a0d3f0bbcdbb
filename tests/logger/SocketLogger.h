#pragma once

#include "LoggerHarness.h"
#ifdef _WIN32
#include "platform/win32/WinUdpSocket.h"
using NativeUdpSocket = WinUdpSocket;
#else
#include "platform/posix/PosixUdpSocket.h"
using NativeUdpSocket = PosixUdpSocket;
#endif

#include <functional>
#include <mutex>

// A presenter of its own on a real socket, set to a free port of this machine; `records` come
// after the port's record in the settings file. What the socket's thread hands over to "the
// window's thread" runs on the test's, while it waits.
struct SocketLogger {
    explicit SocketLogger(const std::string& records = {}, PendingLimits limits = {});

    // Runs the work handed over until `done` holds; false if it does not within ten seconds.
    bool runUntil(const std::function<bool()>& done);
    bool waitForQueue(std::size_t n) {
        return runUntil([&] { return presenter.cue().size() >= n; });
    }
    // True once a datagram sent to `p` reaches the queue.
    bool receives(int p);

    LoggerHarness h;
    int port;
    std::mutex handedOverMutex;
    std::vector<std::function<void()>> handedOver;
    NativeUdpSocket socket;
    LoggerPresenter presenter{h.ports(socket), h.dir.path()};
};
