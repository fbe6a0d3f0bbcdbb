#include "LocalTime.h"

#include <chrono>

namespace {
std::chrono::year_month_day dateOf(const LocalTime& t) {
    return std::chrono::year{t.year} / std::chrono::month{static_cast<unsigned>(t.month)} /
           std::chrono::day{static_cast<unsigned>(t.day)};
}
} // namespace

LocalTime nextSecond(const LocalTime& t) {
    LocalTime n = t;
    if (++n.second < 60) return n;
    n.second = 0;
    if (++n.minute < 60) return n;
    n.minute = 0;
    if (++n.hour < 24) return n;
    n.hour = 0;
    const std::chrono::year_month_day next{std::chrono::sys_days{dateOf(t)} + std::chrono::days{1}};
    n.year = static_cast<int>(next.year());
    n.month = static_cast<int>(static_cast<unsigned>(next.month()));
    n.day = static_cast<int>(static_cast<unsigned>(next.day()));
    return n;
}

bool isValid(const LocalTime& t) {
    if (t.month < 1 || t.month > 12 || t.day < 1 || t.day > 31) return false;
    if (t.hour < 0 || t.hour > 23 || t.minute < 0 || t.minute > 59) return false;
    if (t.second < 0 || t.second > 59) return false;
    return dateOf(t).ok();
}

int weekday(const LocalTime& t) {
    return static_cast<int>(std::chrono::weekday{std::chrono::sys_days{dateOf(t)}}.c_encoding());
}
