#include "platform/FolderFiles.h"

#include "logfiles/TextFile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {
std::error_code lastError() {
    return {errno, std::generic_category()};
}

// Closes the descriptor on every path out, so that no error leaves a file open.
struct Fd {
    int fd;
    ~Fd() {
        if (fd >= 0) ::close(fd);
    }
};
} // namespace

std::error_code listFolder(const std::filesystem::path& folder, std::vector<FolderEntry>& entries) {
    entries.clear();
    std::error_code ec;
    std::filesystem::directory_iterator it(folder, ec);
    for (const std::filesystem::directory_iterator end; !ec && it != end; it.increment(ec)) {
        std::error_code statError; // a link in a loop or to nowhere is no folder
        entries.push_back({it->path().filename().string(), it->is_directory(statError)});
    }
    return ec;
}

std::error_code readRegularFile(const std::filesystem::path& path, std::string& out,
                                std::uintmax_t maxBytes) {
    out.clear();
    const Fd f{::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC)};
    if (f.fd < 0) return lastError();
    struct stat st {};
    if (::fstat(f.fd, &st) != 0) return lastError();
    if (!S_ISREG(st.st_mode)) return logfiles::FileError::NotRegularFile;
    if (static_cast<std::uintmax_t>(st.st_size) > maxBytes) return logfiles::FileError::TooLarge;
    out.reserve(static_cast<std::size_t>(st.st_size) + logfiles::kLineEnd.size());
    char buf[1 << 16];
    for (;;) {
        const auto n = ::read(f.fd, buf, sizeof buf);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return lastError();
        if (n == 0) return {};
        // The file may grow while it is read (the logger rewrites by rename, but a file of
        // another program need not).
        if (out.size() + static_cast<std::size_t>(n) > maxBytes)
            return logfiles::FileError::TooLarge;
        out.append(buf, static_cast<std::size_t>(n));
    }
}

} // namespace platform
