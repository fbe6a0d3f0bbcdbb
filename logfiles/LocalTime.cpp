#include "LocalTime.h"

#include <chrono>

namespace {
std::chrono::year_month_day dateOf(const LocalTime& t) {
    return std::chrono::year{t.year} / std::chrono::month{static_cast<unsigned>(t.month)} /
           std::chrono::day{static_cast<unsigned>(t.day)};
}
} // namespace

LocalTime secondsLater(const LocalTime& t, long long seconds) {
    using namespace std::chrono;
    const auto at = sys_days{dateOf(t)} + hours{t.hour} + minutes{t.minute} +
                    std::chrono::seconds{t.second + seconds};
    const auto day = floor<days>(at);
    const year_month_day date{day};
    const hh_mm_ss time{at - day};
    return {static_cast<int>(date.year()),
            static_cast<int>(static_cast<unsigned>(date.month())),
            static_cast<int>(static_cast<unsigned>(date.day())),
            static_cast<int>(time.hours().count()),
            static_cast<int>(time.minutes().count()),
            static_cast<int>(time.seconds().count())};
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
