#pragma once

#include "platform/DatagramIntake.h"

#include <functional>
#include <memory>
#include <thread>

// Receives on a thread of its own, so that no datagram is lost while the window is busy
// painting or a message box is open: every pending datagram is read as soon as the socket has
// one, and whole batches are handed to the window's thread through `post`.
class PosixUdpSocket : public UdpSocket {
public:
    using Post = std::function<void(std::function<void()>)>;
    PosixUdpSocket(DatagramSink& sink, Post post, PendingLimits limits = {});
    ~PosixUdpSocket() override;

    // Hands everything received so far to the sink before it returns.
    void close() override;
    void setLocalPort(std::int64_t port) override { m_port = port; }
    std::int64_t localPort() const override { return m_port; }
    SocketError bind() override;

private:
    void stopReceiving();
    void closeDescriptors();

    DatagramSink& m_sink;
    Post m_post;
    std::int64_t m_port = 0;
    int m_fd = -1;
    int m_wake[2] = {-1, -1};
    // Lives as long as the socket, so that a close never drops what was received but not
    // yet handed over.
    std::shared_ptr<DatagramIntake> m_intake;
    std::thread m_thread;
};
