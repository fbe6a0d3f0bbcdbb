#include "SocketLogger.h"
#include "Udp.h"

#include <chrono>
#include <thread>

SocketLogger::SocketLogger(const std::string& records, PendingLimits limits)
    : port(freeUdpPort()), socket(
                               presenter,
                               [this](auto f) {
                                   std::lock_guard lock(handedOverMutex);
                                   handedOver.push_back(std::move(f));
                               },
                               limits) {
    h.dir.write("loggersettings.txt",
                "[UDPPORT             ]=" + std::to_string(port) + "\r\n" + records);
}

bool SocketLogger::runUntil(const std::function<bool()>& done) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!done()) {
        std::vector<std::function<void()>> work;
        {
            std::lock_guard lock(handedOverMutex);
            work.swap(handedOver);
        }
        for (auto& f : work)
            f();
        if (work.empty()) {
            if (std::chrono::steady_clock::now() > end) return false;
            std::this_thread::yield();
        }
    }
    return true;
}

bool SocketLogger::receives(int p) {
    const auto before = presenter.cue().size();
    sendUdp(p, "[probe");
    return waitForQueue(before + 1);
}
