#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

// What the viewer does to the logs folder: list it, read a log, delete one.
namespace viewer {

// Logs are small (the logger rolls over at 10000 characters); anything this large is no log
// of ours, and holding it three times over (read, shown, folded) would exhaust the memory.
inline constexpr std::uintmax_t kMaxLogBytes = 64u << 20;

// The names of the folder's "*.txt" entries (the extension in any letter case), in ascending
// order of name without regard to case. Folders are left out; links, pipes and other entries
// are listed so that the user sees them and can delete them.
std::error_code listLogNames(const std::filesystem::path& folder, std::vector<std::string>& names);

// The log as it reads line by line, each line followed by CR LF; never blocks on a pipe.
std::error_code readLog(const std::filesystem::path& path, std::string& text);

// Removes the entry itself: a link goes, never what it points to; a folder is refused.
std::error_code deleteLog(const std::filesystem::path& path);

// A reason for the user, with the size limit where the size was the reason.
std::string describe(std::error_code error);

} // namespace viewer
