#include "LogNames.h"

#include "TextFile.h"

#include <system_error>

namespace logfiles {

namespace {
// Every log line needs five of these: no formatting machinery.
std::string twoDigits(int v) {
    const int d = ((v % 100) + 100) % 100;
    return {static_cast<char>('0' + d / 10), static_cast<char>('0' + d % 10)};
}

std::optional<int> twoDigitsAt(std::string_view s, std::size_t pos) {
    const char a = s[pos], b = s[pos + 1];
    if (a < '0' || a > '9' || b < '0' || b > '9') return std::nullopt;
    return (a - '0') * 10 + (b - '0');
}
} // namespace

std::filesystem::path logsFolder(const std::filesystem::path& programFolder) {
    return programFolder / "logs";
}

std::filesystem::path currentLogPath(const std::filesystem::path& programFolder) {
    return logsFolder(programFolder) / std::string(kCurrentLogName);
}

std::string archiveName(const LocalTime& t) {
    return "log" + twoDigits(t.year) + twoDigits(t.month) + twoDigits(t.day) + twoDigits(t.hour) +
           twoDigits(t.minute) + twoDigits(t.second) + ".txt";
}

std::optional<LocalTime> archiveTime(std::string_view name) {
    if (name.size() != kArchiveNameLength || !name.starts_with("log") || !name.ends_with(".txt"))
        return std::nullopt;
    int fields[6];
    for (std::size_t i = 0; i < 6; ++i) {
        const auto v = twoDigitsAt(name, 3 + 2 * i);
        if (!v) return std::nullopt;
        fields[i] = *v;
    }
    const LocalTime t{2000 + fields[0], fields[1], fields[2], fields[3], fields[4], fields[5]};
    if (!isValid(t)) return std::nullopt;
    return t;
}

std::filesystem::path freeArchivePath(const std::filesystem::path& folder, const LocalTime& t) {
    // This second, the next, then back from the one before.
    for (long long later = 0;; later = later == 0 ? 1 : later == 1 ? -1 : later - 1) {
        auto path = folder / archiveName(secondsLater(t, later));
        std::error_code ec;
        // symlink_status: a dangling link still holds the name.
        if (!std::filesystem::exists(std::filesystem::symlink_status(path, ec))) return path;
    }
}

std::string logStamp(const LocalTime& t) {
    const int hour12 = t.hour % 12 == 0 ? 12 : t.hour % 12;
    return twoDigits(t.month) + "-" + twoDigits(t.day) + "-" + twoDigits(t.year) + ":" +
           twoDigits(hour12) + ":" + twoDigits(t.minute) + (t.hour < 12 ? "a" : "p") + ":";
}

std::string logLine(const LocalTime& t, std::string_view logText) {
    std::string line = logStamp(t);
    line.reserve(line.size() + logText.size() + kLineEnd.size());
    for (std::size_t at = 0;;) {
        const auto end = logText.find(kLineEnd, at);
        line += logText.substr(at, end - at);
        if (end == std::string_view::npos) break;
        line += kLineEnd;
        line += kContinuation;
        at = end + kLineEnd.size();
    }
    line += kLineEnd;
    return line;
}

std::string_view withoutUnfinishedLine(std::string_view currentLog) {
    if (currentLog.size() <= kLineEnd.size() || currentLog.ends_with("\r\n\r\n")) return currentLog;
    // Back to the last line that a stamp begins: a continuation, even cut short, begins with
    // a space.
    auto lineEnd = currentLog.size() - kLineEnd.size();
    for (;;) {
        const auto before =
            lineEnd == 0 ? std::string_view::npos : currentLog.rfind(kLineEnd, lineEnd - 1);
        const auto start = before == std::string_view::npos ? 0 : before + kLineEnd.size();
        if (currentLog[start] != kContinuation.front()) return currentLog.substr(0, start);
        if (start == 0) return currentLog; // not a log of ours: nothing to cut
        lineEnd = before;
    }
}

} // namespace logfiles
