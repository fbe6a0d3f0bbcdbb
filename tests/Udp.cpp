#include "Udp.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <stdexcept>
#include <sys/socket.h>
#include <unistd.h>

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
    const int fd = ::socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in a = loopback(0);
    socklen_t len = sizeof a;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0 ||
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&a), &len) != 0)
        throw std::runtime_error("no free UDP port");
    ::close(fd);
    return ntohs(a.sin_port);
}

void sendUdp(int port, std::string_view bytes) {
    static const int fd = ::socket(AF_INET, SOCK_DGRAM, 0);
    const sockaddr_in a = loopback(port);
    if (::sendto(fd, bytes.data(), bytes.size(), 0, reinterpret_cast<const sockaddr*>(&a),
                 sizeof a) != static_cast<ssize_t>(bytes.size()))
        throw std::runtime_error("sendto failed");
}

HeldUdpPort::HeldUdpPort(int port, bool reuse) : m_fd(::socket(AF_INET, SOCK_DGRAM, 0)) {
    const int one = 1;
    if (reuse) ::setsockopt(m_fd, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
    sockaddr_in a = loopback(port);
    a.sin_addr.s_addr = htonl(INADDR_ANY);
    if (::bind(m_fd, reinterpret_cast<const sockaddr*>(&a), sizeof a) != 0)
        throw std::runtime_error("cannot hold the port");
}

HeldUdpPort::~HeldUdpPort() {
    ::close(m_fd);
}
