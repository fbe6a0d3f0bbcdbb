#pragma once

#include "LocalTime.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

// Where the two programs meet: the logs folder beside them, the current log and the
// dated archives that the logger writes and the viewer lists.
namespace logfiles {

inline constexpr std::string_view kCurrentLogName = "logtemp.txt";
inline constexpr std::size_t kArchiveNameLength = 19; // "log" + yymmdd + hhnnss + ".txt"

std::filesystem::path logsFolder(const std::filesystem::path& programFolder);
std::filesystem::path currentLogPath(const std::filesystem::path& programFolder);

// "log" + yymmdd + hhnnss (24-hour clock) + ".txt".
std::string archiveName(const LocalTime& t);

// The moment an archive name carries, or nothing for a name that does not follow the
// naming exactly (or carries no real date and time). The century is 2000.
std::optional<LocalTime> archiveTime(std::string_view name);

// An archive path in `folder` that no file holds yet, so that two archives written in the same
// second both survive and both keep the archive naming: for `t` or the second after, else for
// the latest free second before `t`, never for a moment further ahead.
std::filesystem::path freeArchivePath(const std::filesystem::path& folder, const LocalTime& t);

// "mm-dd-yy:" + "hh:nna:" or "hh:nnp:" on the 12-hour clock, midnight and noon as 12.
std::string logStamp(const LocalTime& t);

// Begins every line that a log text's own CR LF starts. A stamp begins with a digit, so no
// datagram can write a line that reads as a logged line of its own, and a reader sees at once
// which lines continue the one above.
inline constexpr std::string_view kContinuation = " | ";

// The stamp, the log text with its continuation lines marked, and CR LF.
std::string logLine(const LocalTime& t, std::string_view logText);

// A current log as read back (readText): the logger extends it in place, so a run killed while
// writing leaves it without the empty last line that every finished write ends with. Its last
// log line was being written then and may lack its end or its continuation lines; it goes.
std::string_view withoutUnfinishedLine(std::string_view currentLog);

} // namespace logfiles
