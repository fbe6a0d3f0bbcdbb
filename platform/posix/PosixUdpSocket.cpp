#include "PosixUdpSocket.h"

#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {
constexpr int kReceiveBuffer = 4 * 1024 * 1024;
constexpr unsigned kBatch = 64;
constexpr std::size_t kMaxDatagram = 65536;

SocketError errorOf(int number) {
    return {number, std::strerror(number), number == EADDRINUSE};
}
// Reads every datagram the socket holds now into the intake; true if the window's thread
// must be told (the intake was empty before).
bool receiveAvailable(int fd, DatagramIntake& intake, std::vector<char>& buffers) {
    mmsghdr msgs[kBatch];
    iovec iovs[kBatch];
    bool wake = false;
    for (;;) {
        for (unsigned i = 0; i < kBatch; ++i) {
            iovs[i] = {buffers.data() + i * kMaxDatagram, kMaxDatagram};
            msgs[i] = {};
            msgs[i].msg_hdr.msg_iov = &iovs[i];
            msgs[i].msg_hdr.msg_iovlen = 1;
        }
        const int n = ::recvmmsg(fd, msgs, kBatch, MSG_DONTWAIT, nullptr);
        if (n < 0 && errno == EINTR) continue;
        DatagramIntake::Batch batch(intake);
        if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK) batch.error();
        for (int i = 0; i < n; ++i)
            batch.add(buffers.data() + static_cast<std::size_t>(i) * kMaxDatagram, msgs[i].msg_len);
        wake |= batch.wake();
        if (n < static_cast<int>(kBatch)) return wake;
    }
}

void receiveLoop(int fd, int wake, std::shared_ptr<DatagramIntake> intake, DatagramSink& sink,
                 const PosixUdpSocket::Post& post) {
    std::vector<char> buffers(kBatch * kMaxDatagram);
    std::weak_ptr<DatagramIntake> weak = intake;
    for (;;) {
        pollfd fds[2] = {{fd, POLLIN, 0}, {wake, POLLIN, 0}};
        if (::poll(fds, 2, -1) < 0) {
            if (errno == EINTR) continue;
            return;
        }
        if (fds[1].revents) return;
        if (receiveAvailable(fd, *intake, buffers))
            post([weak, &sink] { DatagramIntake::deliver(weak, sink); });
    }
}
} // namespace

PosixUdpSocket::PosixUdpSocket(DatagramSink& sink, Post post, PendingLimits limits)
    : m_sink(sink), m_post(std::move(post)), m_intake(std::make_shared<DatagramIntake>(limits)) {}

PosixUdpSocket::~PosixUdpSocket() {
    stopReceiving();
    closeDescriptors();
}

void PosixUdpSocket::stopReceiving() {
    if (!m_thread.joinable()) return;
    const char stop = 1;
    (void)!::write(m_wake[1], &stop, 1);
    m_thread.join();
}

void PosixUdpSocket::closeDescriptors() {
    for (int* fd : {&m_fd, &m_wake[0], &m_wake[1]}) {
        if (*fd >= 0) ::close(*fd);
        *fd = -1;
    }
}

// Hands over everything received so far before the socket goes: datagrams that reached the
// port were received, and a close (a port change, the end of the program) must not lose them.
void PosixUdpSocket::close() {
    if (m_thread.joinable()) {
        stopReceiving();
        std::vector<char> buffers(kBatch * kMaxDatagram);
        receiveAvailable(m_fd, *m_intake, buffers);
        DatagramIntake::deliver(m_intake, m_sink);
    }
    closeDescriptors();
}

SocketError PosixUdpSocket::bind() {
    close();
    if (m_port < 1 || m_port > 65535) return {EINVAL, "Port number out of range (1 to 65535)"};
    const int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return errorOf(errno);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_ANY);
    addr.sin_port = htons(static_cast<std::uint16_t>(m_port));
    if (::bind(fd, reinterpret_cast<const sockaddr*>(&addr), sizeof addr) != 0) {
        const int e = errno;
        ::close(fd);
        return errorOf(e);
    }
    // Only after the bind does the kernel keep the size; root may go past rmem_max.
    if (::setsockopt(fd, SOL_SOCKET, SO_RCVBUFFORCE, &kReceiveBuffer, sizeof kReceiveBuffer) != 0)
        ::setsockopt(fd, SOL_SOCKET, SO_RCVBUF, &kReceiveBuffer, sizeof kReceiveBuffer);
    if (::pipe2(m_wake, O_CLOEXEC) != 0) {
        const int e = errno;
        ::close(fd);
        return errorOf(e);
    }
    m_fd = fd;
    m_thread =
        std::thread(receiveLoop, m_fd, m_wake[0], m_intake, std::ref(m_sink), std::cref(m_post));
    return {};
}
