#pragma once

#include <chrono>
#include <compare>

// A moment on the user's wall clock, as the log stamps and archive names show it.
struct LocalTime {
    int year = 2000; // full year, e.g. 2026
    int month = 1;   // 1..12
    int day = 1;     // 1..31
    int hour = 0;    // 0..23
    int minute = 0;
    int second = 0;

    // Field by field, which is also the order in time.
    auto operator<=>(const LocalTime&) const = default;
};

// The moment `seconds` later (earlier when negative), carrying into minutes, days, months and
// years.
LocalTime secondsLater(const LocalTime& t, long long seconds);
inline LocalTime nextSecond(const LocalTime& t) {
    return secondsLater(t, 1);
}

// True when the fields form a real calendar date and a 24-hour time.
bool isValid(const LocalTime& t);

// Day of the week, 0 = Sunday .. 6 = Saturday.
int weekday(const LocalTime& t);

class Clock {
public:
    virtual ~Clock() = default;
    virtual LocalTime now() = 0;
    // For measuring how long work takes; unlike the wall clock it never jumps.
    virtual std::chrono::steady_clock::time_point monotonic() {
        return std::chrono::steady_clock::now();
    }
};
