#pragma once

#include "platform/DateNames.h"

#include <array>
#include <filesystem>
#include <string>
#include <string_view>

struct LocalTime;

namespace viewer {

// One row of the list: the hidden full path and the two texts the user sees (UTF-8).
struct LogRow {
    std::filesystem::path path;
    std::string dateText;
    std::string timeText;
};

inline constexpr std::string_view kCurrentLogDate = "Current Log";
inline constexpr std::string_view kNoTime = "-----------";
// A ".txt" file whose name carries no date and time the logger would have written.
inline constexpr std::string_view kUndatedDate = "No date in name";

// "hh:nn am/pm": the 12-hour clock, midnight and noon as 12, no seconds.
std::string timeText(const LocalTime& t);

// Builds rows with the user's month and weekday names, asked for once.
class RowMaker {
public:
    explicit RowMaker(const DateNames& names);

    LogRow row(const std::filesystem::path& folder, const std::string& name) const;
    // "mmm dd, yy (ddd)".
    std::string dateText(const LocalTime& t) const;

private:
    std::array<std::string, 12> m_months;
    std::array<std::string, 7> m_weekdays;
};

} // namespace viewer
