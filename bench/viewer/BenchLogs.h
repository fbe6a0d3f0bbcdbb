#pragma once

// What the viewer's benchmarks on every platform share: the logs they time, the way they time,
// and the answers nobody gives.
#include "platform/Dialogs.h"
#include "platform/InstanceLock.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace bench {

struct NoDialogs : Dialogs {
    Answer message(std::string_view, Buttons, Icon, std::string_view) override {
        return Answer::Ok;
    }
    std::optional<std::string> input(std::string_view, std::string_view,
                                     std::string_view) override {
        return std::nullopt;
    }
};
struct FreeLock : InstanceLock {
    bool acquire(const std::filesystem::path&) override { return true; }
};

// `bytes` of log lines of the logger's shape, all of one length, spreading `marks` lines that
// hold the word "needle" evenly over the log.
inline std::string makeLog(std::size_t bytes, std::size_t marks) {
    const auto line = [](std::size_t i, bool needle) {
        char text[80];
        std::snprintf(text, sizeof text, "12-05-26:09:41p:MESSAGE :[PC%02zu]=Ann: %s\r\n", i % 97,
                      needle ? "the Needle again" : "lunch at noon...");
        return std::string(text);
    };
    const std::size_t lines = bytes / line(0, false).size();
    std::string log;
    log.reserve(bytes);
    for (std::size_t i = 0; i < lines; ++i)
        log += line(i, i * marks / lines != (i + 1) * marks / lines);
    return log;
}

inline double millisecondsOf(const std::function<void()>& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

inline double median(int runs, const std::function<void()>& work) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i)
        times.push_back(millisecondsOf(work));
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// The name of the i-th of many archived logs, all different.
inline std::string archiveName(int i) {
    char name[32];
    std::snprintf(name, sizeof name, "log07%02d%02d%02d%02d%02d.txt", 1 + i / 5000 % 12,
                  1 + i / 200 % 25, i / 60 % 24, i % 60, i * 7 % 60);
    return name;
}

} // namespace bench
