#include "FilesFolder.h"

#include <cstdlib>
#include <string>
#ifdef _WIN32
#include <fstream>
#else
#include <unistd.h>
#endif

namespace logfiles {
namespace {
std::filesystem::path fromEnvironment(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::filesystem::path(value) : std::filesystem::path();
}

// The folder the install rules put the programs in: never written, not even by root.
bool isInstallFolder(const std::filesystem::path& folder) {
#ifdef KELVO_INSTALL_BINDIR
    std::error_code ec;
    return std::filesystem::equivalent(folder, KELVO_INSTALL_BINDIR, ec);
#else
    (void)folder;
    return false;
#endif
}

bool canWriteIn(const std::filesystem::path& folder) {
#ifdef _WIN32
    // Windows' access() sees the read-only attribute only, not the folder's permissions.
    const auto probe = folder / ".kelvo-write-probe";
    const bool written = std::ofstream(probe).is_open();
    std::error_code ec;
    std::filesystem::remove(probe, ec);
    return written;
#else
    return ::access(folder.c_str(), W_OK | X_OK) == 0;
#endif
}
} // namespace

std::filesystem::path userFilesFolder() {
#ifdef _WIN32
    const auto local = fromEnvironment("LOCALAPPDATA");
    return local.empty() ? local : local / "kelvo";
#else
    // A relative XDG_DATA_HOME is not valid and is ignored.
    if (const auto data = fromEnvironment("XDG_DATA_HOME"); data.is_absolute())
        return data / "kelvo";
    const auto home = fromEnvironment("HOME");
    return home.empty() ? home : home / ".local" / "share" / "kelvo";
#endif
}

std::filesystem::path filesFolder(const std::filesystem::path& programFolder) {
    if (!isInstallFolder(programFolder) && canWriteIn(programFolder)) return programFolder;
    const auto user = userFilesFolder();
    return user.empty() ? programFolder : user;
}

} // namespace logfiles
