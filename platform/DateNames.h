#pragma once

#include <array>
#include <string>

// Abbreviated month and weekday names in the user's language, as UTF-8.
class DateNames {
public:
    virtual ~DateNames() = default;
    virtual std::string month(int month) const = 0;     // 1 = January
    virtual std::string weekday(int weekday) const = 0; // 0 = Sunday
};

// The names when the system gives none.
class EnglishDateNames : public DateNames {
public:
    std::string month(int month) const override {
        static constexpr std::array<const char*, 12> kMonths = {
            "Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
        return kMonths[static_cast<std::size_t>(month - 1) % 12];
    }
    std::string weekday(int weekday) const override {
        static constexpr std::array<const char*, 7> kDays = {"Sun", "Mon", "Tue", "Wed",
                                                             "Thu", "Fri", "Sat"};
        return kDays[static_cast<std::size_t>(weekday) % 7];
    }
};
