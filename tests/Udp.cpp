#include "Udp.h"

#include <stdexcept>
#ifdef _WIN32
#include <winsock2.h>
using Length = int;
using Socket = SOCKET;
using Size = int;
namespace {
struct Winsock {
    Winsock() {
        WSADATA data;
        WSAStartup(MAKEWORD(2, 2), &data);
    }
} g_winsock;
int closeSocket(std::intptr_t s) {
    return ::closesocket(static_cast<Socket>(s));
}
} // namespace
#else
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>
using Length = socklen_t;
using Socket = int;
using Size = std::size_t;
namespace {
int closeSocket(std::intptr_t s) {
    return ::close(static_cast<Socket>(s));
}
} // namespace
#endif

namespace {
sockaddr_in loopback(int port) {
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(static_cast<std::uint16_t>(port));
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return a;
}
} // namespace

int freeUdpPort() {
    const auto fd = ::socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in a = loopback(0);
    Length len = sizeof a;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0 ||
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&a), &len) != 0)
        throw std::runtime_error("no free UDP port");
    closeSocket(static_cast<std::intptr_t>(fd));
    return ntohs(a.sin_port);
}

void sendUdp(int port, std::string_view bytes) {
    static const auto fd = ::socket(AF_INET, SOCK_DGRAM, 0);
    const sockaddr_in a = loopback(port);
    const auto sent = ::sendto(fd, bytes.data(), static_cast<Size>(bytes.size()), 0,
                               reinterpret_cast<const sockaddr*>(&a), sizeof a);
    if (sent < 0 || static_cast<std::size_t>(sent) != bytes.size())
        throw std::runtime_error("sendto failed");
}

HeldUdpPort::HeldUdpPort(int port, bool reuse)
    : m_fd(static_cast<std::intptr_t>(::socket(AF_INET, SOCK_DGRAM, 0))) {
    const int one = 1;
    if (reuse)
        ::setsockopt(static_cast<Socket>(m_fd), SOL_SOCKET, SO_REUSEADDR,
                     reinterpret_cast<const char*>(&one), sizeof one);
    sockaddr_in a = loopback(port);
    a.sin_addr.s_addr = htonl(INADDR_ANY);
    if (::bind(static_cast<Socket>(m_fd), reinterpret_cast<const sockaddr*>(&a), sizeof a) != 0)
        throw std::runtime_error("cannot hold the port");
}

HeldUdpPort::~HeldUdpPort() {
    closeSocket(m_fd);
}
