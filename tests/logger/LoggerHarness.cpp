#include "LoggerHarness.h"

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

void LoggerHarness::startLoggingAll(std::string_view arguments) {
    dir.write("loggersettings.txt", settings::fileText({1, 1, 1, 1, 1, 0}, "4111"));
    presenter.start(arguments);
}
