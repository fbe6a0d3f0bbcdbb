#pragma once

#include "platform/DatagramIntake.h"

#include <functional>
#include <memory>
#include <thread>

// The Winsock socket: receives on a thread of its own, so that no datagram is lost while the
// window is busy painting or a message box is open, and hands whole batches to the window's
// thread through `post` (a posted window message), in arrival order.
class WinUdpSocket : public UdpSocket {
public:
    using Post = std::function<void(std::function<void()>)>;
    WinUdpSocket(DatagramSink& sink, Post post, PendingLimits limits = {});
    ~WinUdpSocket() override;

    // Hands everything received so far to the sink before it returns.
    void close() override;
    void setLocalPort(std::int64_t port) override { m_port = port; }
    std::int64_t localPort() const override { return m_port; }
    SocketError bind() override;

private:
    void stopReceiving();
    void closeHandles();

    DatagramSink& m_sink;
    Post m_post;
    std::int64_t m_port = 0;
    std::uintptr_t m_socket;
    void* m_readable = nullptr; // set by Winsock when a datagram waits
    void* m_stop = nullptr;     // set by close()
    // Lives as long as the socket, so that a close never drops what was received but not
    // yet handed over.
    std::shared_ptr<DatagramIntake> m_intake;
    std::thread m_thread;
};
