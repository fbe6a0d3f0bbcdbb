#pragma once

#include <cstdint>
#include <string_view>

// A UDP port on 127.0.0.1 that nobody held a moment ago.
int freeUdpPort();

// Sends one datagram to 127.0.0.1.
void sendUdp(int port, std::string_view bytes);

// Holds a port the way another program would; `reuse` asks for address reuse first.
class HeldUdpPort {
public:
    explicit HeldUdpPort(int port, bool reuse = false);
    ~HeldUdpPort();
    HeldUdpPort(const HeldUdpPort&) = delete;
    HeldUdpPort& operator=(const HeldUdpPort&) = delete;

private:
    std::intptr_t m_fd; // a descriptor, or a Windows SOCKET
};
