#include "LogRows.h"

#include "logfiles/LocalTime.h"
#include "logfiles/LogNames.h"

#include <cstdio>

namespace viewer {

namespace {
std::string twoDigits(int v) {
    char buf[4];
    std::snprintf(buf, sizeof buf, "%02d", v % 100);
    return buf;
}
} // namespace

std::string timeText(const LocalTime& t) {
    const int hour12 = t.hour % 12 == 0 ? 12 : t.hour % 12;
    return twoDigits(hour12) + ":" + twoDigits(t.minute) + (t.hour < 12 ? " am" : " pm");
}

RowMaker::RowMaker(const DateNames& names) {
    for (int m = 1; m <= 12; ++m)
        m_months[static_cast<std::size_t>(m - 1)] = names.month(m);
    for (int d = 0; d < 7; ++d)
        m_weekdays[static_cast<std::size_t>(d)] = names.weekday(d);
}

std::string RowMaker::dateText(const LocalTime& t) const {
    return m_months[static_cast<std::size_t>(t.month - 1)] + " " + twoDigits(t.day) + ", " +
           twoDigits(t.year) + " (" + m_weekdays[static_cast<std::size_t>(weekday(t))] + ")";
}

LogRow RowMaker::row(const std::filesystem::path& folder, const std::string& name) const {
    LogRow r{folder / name, {}, {}};
    if (name == logfiles::kCurrentLogName) {
        r.dateText = kCurrentLogDate;
        r.timeText = kNoTime;
    } else if (const auto t = logfiles::archiveTime(name)) {
        r.dateText = dateText(*t);
        r.timeText = timeText(*t);
    } else {
        r.dateText = kUndatedDate;
        r.timeText = kNoTime;
    }
    return r;
}

} // namespace viewer
