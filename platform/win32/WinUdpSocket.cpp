#include "WinUdpSocket.h"

#include "Utf16.h"

#include <winsock2.h>

#include <cerrno>
#include <mswsock.h>
#include <vector>
#include <windows.h>

namespace {
constexpr int kReceiveBuffer = 4 * 1024 * 1024;
constexpr std::size_t kBatch = 64;
constexpr int kMaxDatagram = 65536;

SocketError errorOf(int number) {
    // The one failure the user must act on gets a text of our own: not every Windows (nor
    // Wine) has one for it.
    if (number == WSAEADDRINUSE) return {number, "Address in use", true};
    return {number, systemMessage(static_cast<unsigned long>(number))};
}

// Reads every datagram the socket holds now into the intake; true if the window's thread
// must be told (the intake was empty before).
bool receiveAvailable(SOCKET s, DatagramIntake& intake, std::vector<char>& buffers) {
    bool wake = false;
    for (;;) {
        int sizes[kBatch];
        std::size_t n = 0;
        bool failed = false, more = true;
        for (; n < kBatch; ++n) {
            sizes[n] = ::recv(s, buffers.data() + n * kMaxDatagram, kMaxDatagram, 0);
            if (sizes[n] != SOCKET_ERROR) continue;
            const int e = WSAGetLastError();
            // A reset on a datagram socket only reports an earlier send's ICMP reply.
            if (e == WSAECONNRESET) {
                --n;
                continue;
            }
            failed = e != WSAEWOULDBLOCK;
            more = false;
            break;
        }
        DatagramIntake::Batch batch(intake);
        if (failed) batch.error();
        for (std::size_t i = 0; i < n; ++i)
            batch.add(buffers.data() + i * kMaxDatagram, static_cast<std::size_t>(sizes[i]));
        wake |= batch.wake();
        if (!more || failed) return wake;
    }
}

void receiveLoop(SOCKET s, HANDLE readable, HANDLE stop, std::shared_ptr<DatagramIntake> intake,
                 DatagramSink& sink, const WinUdpSocket::Post& post) {
    std::vector<char> buffers(kBatch * kMaxDatagram);
    std::weak_ptr<DatagramIntake> weak = intake;
    const HANDLE handles[2] = {stop, readable};
    for (;;) {
        const DWORD which = WaitForMultipleObjects(2, handles, FALSE, INFINITE);
        if (which != WAIT_OBJECT_0 + 1) return;
        WSAResetEvent(readable);
        if (receiveAvailable(s, *intake, buffers))
            post([weak, &sink] { DatagramIntake::deliver(weak, sink); });
    }
}
} // namespace

WinUdpSocket::WinUdpSocket(DatagramSink& sink, Post post, PendingLimits limits)
    : m_sink(sink), m_post(std::move(post)), m_socket(INVALID_SOCKET),
      m_intake(std::make_shared<DatagramIntake>(limits)) {
    WSADATA data;
    WSAStartup(MAKEWORD(2, 2), &data);
}

WinUdpSocket::~WinUdpSocket() {
    stopReceiving();
    closeHandles();
    WSACleanup();
}

void WinUdpSocket::stopReceiving() {
    if (!m_thread.joinable()) return;
    SetEvent(m_stop);
    m_thread.join();
}

void WinUdpSocket::closeHandles() {
    if (m_socket != INVALID_SOCKET) ::closesocket(m_socket);
    m_socket = INVALID_SOCKET;
    if (m_readable) WSACloseEvent(m_readable);
    if (m_stop) CloseHandle(m_stop);
    m_readable = m_stop = nullptr;
}

// Hands over everything received so far before the socket goes: datagrams that reached the
// port were received, and a close (a port change, the end of the program) must not lose them.
void WinUdpSocket::close() {
    if (m_thread.joinable()) {
        stopReceiving();
        std::vector<char> buffers(kBatch * kMaxDatagram);
        receiveAvailable(m_socket, *m_intake, buffers);
        DatagramIntake::deliver(m_intake, m_sink);
    }
    closeHandles();
}

SocketError WinUdpSocket::bind() {
    close();
    if (m_port < 1 || m_port > 65535) return {EINVAL, "Port number out of range (1 to 65535)"};
    const SOCKET s = WSASocketW(AF_INET, SOCK_DGRAM, IPPROTO_UDP, nullptr, 0,
                                WSA_FLAG_OVERLAPPED | WSA_FLAG_NO_HANDLE_INHERIT);
    if (s == INVALID_SOCKET) return errorOf(WSAGetLastError());
    const auto fail = [s] {
        const int e = WSAGetLastError();
        ::closesocket(s);
        return errorOf(e);
    };
    // No other program may take the port over while we listen on it.
    const BOOL on = TRUE;
    ::setsockopt(s, SOL_SOCKET, SO_EXCLUSIVEADDRUSE, reinterpret_cast<const char*>(&on), sizeof on);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_ANY);
    addr.sin_port = htons(static_cast<u_short>(m_port));
    if (::bind(s, reinterpret_cast<const sockaddr*>(&addr), sizeof addr) != 0) return fail();
    ::setsockopt(s, SOL_SOCKET, SO_RCVBUF, reinterpret_cast<const char*>(&kReceiveBuffer),
                 sizeof kReceiveBuffer);
    BOOL report = FALSE;
    DWORD unused = 0;
    WSAIoctl(s, SIO_UDP_CONNRESET, &report, sizeof report, nullptr, 0, &unused, nullptr, nullptr);
    const HANDLE readable = WSACreateEvent();
    if (readable == WSA_INVALID_EVENT) return fail();
    // Also makes the socket non-blocking, so that a read of an empty socket says so.
    if (WSAEventSelect(s, readable, FD_READ) != 0) {
        WSACloseEvent(readable);
        return fail();
    }
    m_socket = s;
    m_readable = readable;
    m_stop = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    m_thread = std::thread(receiveLoop, s, m_readable, m_stop, m_intake, std::ref(m_sink),
                           std::cref(m_post));
    return {};
}
