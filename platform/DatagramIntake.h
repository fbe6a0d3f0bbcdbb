#pragma once

#include "platform/UdpSocket.h"

#include <cstddef>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

// What may wait for the window's thread when it falls behind; past it datagrams are dropped
// and counted, so that a flood cannot exhaust memory while the window is busy.
struct PendingLimits {
    std::size_t datagrams = 250'000;
    std::size_t bytes = std::size_t{64} << 20;
};

// Where a socket's receive thread leaves what it read until the window's thread takes it.
// Shared by every socket implementation, so that each platform keeps the same limits and
// hands over in the same order.
class DatagramIntake {
public:
    explicit DatagramIntake(PendingLimits limits) : m_limits(limits) {}

    // The receive thread's side. Each returns true when the window's thread must be told
    // (nothing was waiting before), so that one posted delivery serves a whole batch.
    class Batch {
    public:
        explicit Batch(DatagramIntake& intake);
        void add(const char* data, std::size_t size);
        void error() { m_intake.m_errorPending = true; }
        bool wake() const { return m_wasIdle && !m_intake.idle(); }

    private:
        std::lock_guard<std::mutex> m_lock;
        DatagramIntake& m_intake;
        bool m_wasIdle;
    };

    // The window's thread's side: hands everything waiting to the sink, in arrival order.
    static void deliver(const std::weak_ptr<DatagramIntake>& weak, DatagramSink& sink);

private:
    bool idle() const { return m_pending.empty() && m_dropped == 0 && !m_errorPending; }

    const PendingLimits m_limits;
    std::mutex m_mutex;
    std::vector<std::string> m_pending;
    std::size_t m_pendingBytes = 0;
    std::size_t m_dropped = 0;
    bool m_errorPending = false;
};
