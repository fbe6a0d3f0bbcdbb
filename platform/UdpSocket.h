#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct SocketError {
    int number = 0;          // the platform's own error number; 0 means success
    std::string description; // the platform's own text for it
    bool addressInUse = false;
    explicit operator bool() const { return number != 0; }
};

// Where a socket hands what it receives, always on the window's thread and in arrival order.
class DatagramSink {
public:
    virtual ~DatagramSink() = default;
    virtual void datagramsArrived(std::vector<std::string>& batch) = 0;
    // Datagrams received but not kept, because more arrived than could be held.
    virtual void datagramsDropped(std::size_t count) = 0;
    virtual void socketError() = 0;
};

// A listening UDP socket. The logger only receives: the remote host and port that a
// messenger socket would also carry have no effect on that, so they are not modelled.
class UdpSocket {
public:
    virtual ~UdpSocket() = default;
    virtual void close() = 0;
    // Stored as given; bind() refuses a value that is no port (outside 1 to 65535) with an
    // error of its own rather than wrapping it around or binding a random port.
    virtual void setLocalPort(std::int64_t port) = 0;
    virtual std::int64_t localPort() const = 0;
    // Binds the local port on every local IPv4 address, without sharing it with anyone.
    virtual SocketError bind() = 0;
};
