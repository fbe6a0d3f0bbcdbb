#pragma once

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

// Timings in milliseconds, summarised as benchmarks print them.
struct Stats {
    std::vector<double> ms;

    template <typename F> void time(F&& f) {
        const auto t0 = std::chrono::steady_clock::now();
        f();
        ms.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0)
                .count());
    }
    double percentile(double p) {
        std::sort(ms.begin(), ms.end());
        return ms[static_cast<std::size_t>(p * static_cast<double>(ms.size() - 1))];
    }
    void print(const char* what) {
        std::printf("%s: n=%zu median %.3f ms, p90 %.3f ms, max %.3f ms\n", what, ms.size(),
                    percentile(0.5), percentile(0.9), percentile(1.0));
    }
};
