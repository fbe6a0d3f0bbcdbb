// kelvosend: speaks the messenger's datagram format to a logger, for demos, tests and
// benchmarks. Sends to 127.0.0.1:4111 unless told otherwise.
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <thread>
#include <vector>
#ifdef _WIN32
#include <winsock2.h>
#include <ws2tcpip.h>
using Socket = SOCKET;
using AddressLength = int;
using Length = int;
namespace {
int lastError() {
    return WSAGetLastError();
}
bool sendQueueFull(int e) {
    return e == WSAENOBUFS || e == WSAEWOULDBLOCK || e == WSAEINTR;
}
std::string describe(int e) {
    return "Winsock error " + std::to_string(e);
}
const char* lookupError(int e) {
    return ::gai_strerrorA(e);
}
} // namespace
#else
#include <arpa/inet.h>
#include <netdb.h>
#include <sys/socket.h>
#include <unistd.h>
using Socket = int;
using AddressLength = socklen_t;
using Length = std::size_t;
namespace {
int lastError() {
    return errno;
}
bool sendQueueFull(int e) {
    return e == ENOBUFS || e == EAGAIN || e == EINTR;
}
std::string describe(int e) {
    return std::strerror(e);
}
const char* lookupError(int e) {
    return ::gai_strerror(e);
}
} // namespace
#endif

namespace {
const char* kUsage =
    "usage: kelvosend [--host H] [--port P] COMMAND   (or --help, --version)\n"
    "  signon USER COMPUTER    a sign-on    ***[COMPUTER]=USER\n"
    "  hello USER COMPUTER     a hello      **-[COMPUTER]=USER\n"
    "  signoff USER COMPUTER   a sign-off   -**[COMPUTER]=USER\n"
    "  message TEXT            a message    [TEXT\n"
    "  junk TEXT               anything else, sent as it is\n"
    "  demo [--rounds N] [--pace MS]\n"
    "                          a few users sign on, chat, say hello and sign off\n"
    "  burst N [--size B] [--rate R]\n"
    "                          N numbered messages of B bytes (60), back to back, or R a second\n"
    "  flood N [--max-size B] [--seed S]\n"
    "                          N datagrams of random bytes, 0 to B (65507) bytes long;\n"
    "                          each begins with its number between two #, as far as it fits\n"
    "After --, every argument is taken as it stands (a text that begins with --).\n";

struct Sender {
    Socket fd{};
    sockaddr_storage to{};
    AddressLength toLen = 0;
    unsigned long long sent = 0, failed = 0;

    bool send(const std::string& bytes) {
        for (;;) {
            if (::sendto(fd, bytes.data(), static_cast<Length>(bytes.size()), 0,
                         reinterpret_cast<sockaddr*>(&to), toLen) >= 0) {
                ++sent;
                return true;
            }
            const int e = lastError();
            if (sendQueueFull(e)) {
                std::this_thread::yield(); // the kernel's send queue is full for a moment
                continue;
            }
            ++failed;
            std::fprintf(stderr, "kelvosend: %s\n", describe(e).c_str());
            return false;
        }
    }
};

std::string identity(const std::string& tag, const std::string& user, const std::string& computer) {
    return tag + "[" + computer + "]=" + user;
}

void demo(Sender& s, int rounds, int paceMs) {
    struct User {
        const char *name, *computer;
    };
    const User users[] = {{"Ann", "PC7"}, {"Bo", "PC9"}, {"Cy", "LAPTOP-3"}, {"Dee", "DESK12"}};
    const char* lines[] = {"anyone up for lunch?", "the build is green again",
                           "meeting moved to 3pm", "who has the projector key?",
                           "coffee machine fixed"};
    const auto pause = [&] { std::this_thread::sleep_for(std::chrono::milliseconds(paceMs)); };
    for (const auto& u : users)
        s.send(identity("***", u.name, u.computer)), pause();
    std::mt19937 rng(7);
    for (int r = 0; r < rounds; ++r) {
        const auto& u = users[rng() % std::size(users)];
        if (rng() % 4 == 0)
            s.send(identity("**-", u.name, u.computer));
        else
            s.send(std::string("[") + u.name + "] " + lines[rng() % std::size(lines)]);
        pause();
    }
    for (const auto& u : users)
        s.send(identity("-**", u.name, u.computer)), pause();
}

// Random bytes fast enough to fill gigabytes of datagrams a minute.
struct SplitMix {
    unsigned long long state;
    unsigned long long next() {
        unsigned long long z = (state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    void fill(std::string& bytes) {
        for (std::size_t i = 0; i < bytes.size(); i += 8) {
            const unsigned long long r = next();
            std::memcpy(bytes.data() + i, &r, std::min<std::size_t>(8, bytes.size() - i));
        }
    }
};

bool parseCount(const char* text, unsigned long long& out) {
    char* end = nullptr;
    errno = 0;
    out = std::strtoull(text, &end, 10);
    return errno == 0 && end && *end == '\0' && end != text;
}
} // namespace

int main(int argc, char* argv[]) {
    std::string host = "127.0.0.1", port = "4111";
    std::vector<std::string> args;
    unsigned long long size = 60, maxSize = 65507, seed = 1, rounds = 20, pace = 700, rate = 0;
    bool optionsEnd = false;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (optionsEnd || !a.starts_with("--")) {
            args.push_back(a);
            continue;
        }
        const bool hasValue = i + 1 < argc;
        unsigned long long* number = a == "--size"       ? &size
                                     : a == "--max-size" ? &maxSize
                                     : a == "--seed"     ? &seed
                                     : a == "--rounds"   ? &rounds
                                     : a == "--pace"     ? &pace
                                     : a == "--rate"     ? &rate
                                                         : nullptr;
        if ((a == "--host" || a == "--port") && hasValue)
            (a == "--host" ? host : port) = argv[++i];
        else if (number && hasValue && parseCount(argv[i + 1], *number))
            ++i;
        else if (a == "--help")
            return std::fputs(kUsage, stdout), 0;
        else if (a == "--version")
            return std::puts("kelvosend " KELVO_VERSION), 0;
        else if (a == "--")
            optionsEnd = true;
        else if (number || a == "--host" || a == "--port")
            return std::fprintf(stderr, "kelvosend: %s wants a value\n", argv[i]), 2;
        else
            return std::fprintf(stderr, "kelvosend: unknown option %s (--help lists the options)\n",
                                argv[i]),
                   2;
    }
    if (args.empty()) return std::fputs(kUsage, stderr), 2;

#ifdef _WIN32
    WSADATA wsa;
    WSAStartup(MAKEWORD(2, 2), &wsa);
#endif
    addrinfo hints{}, *found = nullptr;
    hints.ai_socktype = SOCK_DGRAM;
    if (const int e = ::getaddrinfo(host.c_str(), port.c_str(), &hints, &found)) {
        std::fprintf(stderr, "kelvosend: %s: %s\n", host.c_str(), lookupError(e));
        return 1;
    }
    Sender s;
    s.fd = ::socket(found->ai_family, SOCK_DGRAM, 0);
    std::memcpy(&s.to, found->ai_addr, found->ai_addrlen);
    s.toLen = static_cast<AddressLength>(found->ai_addrlen);
    ::freeaddrinfo(found);

    const std::string& cmd = args[0];
    const auto started = std::chrono::steady_clock::now();
    unsigned long long n = 0;
    if ((cmd == "signon" || cmd == "hello" || cmd == "signoff") && args.size() == 3) {
        s.send(identity(cmd == "signon"  ? "***"
                        : cmd == "hello" ? "**-"
                                         : "-**",
                        args[1], args[2]));
    } else if (cmd == "message" && args.size() == 2) {
        s.send("[" + args[1]);
    } else if (cmd == "junk" && args.size() == 2) {
        s.send(args[1]);
    } else if (cmd == "demo" && args.size() == 1) {
        demo(s, static_cast<int>(rounds), static_cast<int>(pace));
    } else if (cmd == "burst" && args.size() == 2 && parseCount(args[1].c_str(), n)) {
        for (unsigned long long i = 0; i < n; ++i) {
            // Paced by the schedule, not by the last send, so that a late datagram is caught up.
            if (rate)
                std::this_thread::sleep_until(
                    started + std::chrono::nanoseconds(i * 1'000'000'000ull / rate));
            std::string d = "[" + std::to_string(i);
            d.resize(std::max<std::size_t>(d.size(), size), '.');
            s.send(d);
        }
    } else if (cmd == "flood" && args.size() == 2 && parseCount(args[1].c_str(), n)) {
        SplitMix random{seed};
        std::string d;
        for (unsigned long long i = 0; i < n; ++i) {
            d.resize(random.next() % (std::min<unsigned long long>(maxSize, 65507) + 1));
            random.fill(d);
            // The number lets a reader of the log check order and completeness.
            const std::string number = "#" + std::to_string(i) + "#";
            d.replace(0, std::min(d.size(), number.size()), number, 0,
                      std::min(d.size(), number.size()));
            s.send(d);
        }
    } else {
        return std::fputs(kUsage, stderr), 2;
    }
    const double secs =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    if (cmd == "burst" || cmd == "flood")
        std::printf("sent %llu datagrams in %.3f s (%.0f per second), %llu failed\n", s.sent, secs,
                    secs > 0 ? static_cast<double>(s.sent) / secs : 0.0, s.failed);
    return s.failed ? 1 : 0;
}
