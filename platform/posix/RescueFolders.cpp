#include "RescueFolders.h"

#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {
// An XDG folder variable, else its default under the home folder; relative paths do not count.
fs::path xdgFolder(const char* variable, const char* underHome) {
    if (const char* v = std::getenv(variable); v && *v == '/') return v;
    if (const char* home = std::getenv("HOME"); home && *home == '/')
        return fs::path(home) / underHome;
    return {};
}

// A folder in the shared temporary folder is ours only if nobody else made it (or a link of
// that name) first; one that does not exist yet is made ours when it is first written.
bool safeInTemp(const fs::path& folder) {
    struct stat st {};
    if (::lstat(folder.c_str(), &st) != 0) return true;
    return S_ISDIR(st.st_mode) && st.st_uid == ::getuid();
}
} // namespace

std::vector<fs::path> rescueFolders(const std::string& programName) {
    std::vector<fs::path> folders;
    for (const auto& base :
         {xdgFolder("XDG_STATE_HOME", ".local/state"), xdgFolder("XDG_DATA_HOME", ".local/share")})
        if (!base.empty()) folders.push_back(base / programName);
    std::error_code ec;
    const auto temp =
        fs::temp_directory_path(ec) / (programName + "-" + std::to_string(::getuid()));
    if (!ec && safeInTemp(temp)) folders.push_back(temp);
    return folders;
}
