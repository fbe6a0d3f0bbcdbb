#include "SocketLogger.h"
#include "Udp.h"

#include <thread>

bool PostedWork::runUntil(const std::function<bool()>& done, std::chrono::milliseconds deadline) {
    const auto end = std::chrono::steady_clock::now() + deadline;
    while (!done()) {
        std::vector<std::function<void()>> work;
        {
            std::lock_guard lock(m_mutex);
            work.swap(m_work);
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

SocketLogger::SocketLogger(const std::string& records, PendingLimits limits)
    : port(freeUdpPort()), socket(
                               presenter, [this](auto f) { posted.post(std::move(f)); }, limits) {
    h.dir.write("loggersettings.txt",
                "[UDPPORT             ]=" + std::to_string(port) + "\r\n" + records);
}

bool SocketLogger::waitForQueue(std::size_t n) {
    return posted.runUntil([&] { return presenter.cue().size() >= n; });
}

bool SocketLogger::receives(int p) {
    const auto before = presenter.cue().size();
    sendUdp(p, "[probe");
    return waitForQueue(before + 1);
}
