#include "TextFile.h"

#include "platform/FolderFiles.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace logfiles {

namespace {
constexpr std::string_view kTempSuffix = ".kelvotmp";

class FileErrorCategory : public std::error_category {
public:
    const char* name() const noexcept override { return "logfiles"; }
    std::string message(int e) const override {
        switch (static_cast<FileError>(e)) {
        case FileError::NotRegularFile:
            return "Not a regular file";
        case FileError::TooLarge:
            return "File too large";
        }
        return "Unknown error";
    }
};

std::error_code lastError() {
    return {errno, std::generic_category()};
}

#ifdef _WIN32
constexpr int kWriteFlags = O_WRONLY | O_CREAT | O_TRUNC | O_BINARY;
int syncFile(int fd) {
    return _commit(fd);
}
#define write _write
#define close _close
#define open _wopen // the path as it is: the narrow calls take the ANSI code page
#else
constexpr int kWriteFlags = O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC;
int syncFile(int fd) {
    return ::fdatasync(fd);
}
#endif

// Closes the descriptor on every path out, so that no error leaves a file open.
struct Fd {
    int fd;
    ~Fd() {
        if (fd >= 0) ::close(fd);
    }
};
} // namespace

std::error_code make_error_code(FileError e) {
    static const FileErrorCategory category;
    return {static_cast<int>(e), category};
}

std::error_code readText(const std::filesystem::path& path, std::string& out,
                         std::uintmax_t maxBytes) {
    if (auto error = platform::readRegularFile(path, out, maxBytes)) return error;
    if (!out.empty() && !out.ends_with(kLineEnd)) out += kLineEnd;
    return {};
}

std::vector<std::string_view> splitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const auto end = text.find(kLineEnd, start);
        if (end == std::string_view::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + kLineEnd.size();
    }
    return lines;
}

std::error_code writeAtomically(const std::filesystem::path& path, std::string_view content) {
    auto temp = path;
    temp += std::string(kTempSuffix);
    const auto discardTemp = [&temp](std::error_code ec) {
        std::error_code ignored;
        std::filesystem::remove(temp, ignored);
        return ec;
    };
    {
        Fd f{::open(temp.c_str(), kWriteFlags, 0644)};
        if (f.fd < 0) return lastError();
        while (!content.empty()) {
            const auto n = ::write(f.fd, content.data(), static_cast<unsigned>(content.size()));
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) return discardTemp(lastError());
            content.remove_prefix(static_cast<std::size_t>(n));
        }
        if (syncFile(f.fd) != 0) return discardTemp(lastError());
    }
    std::error_code ec;
    std::filesystem::rename(temp, path, ec);
    return ec ? discardTemp(ec) : ec;
}

void removeLeftoverTemporaries(const std::filesystem::path& folder) {
    std::error_code ec;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end;
         it.increment(ec)) {
        const auto& p = it->path();
        if (p.filename().string().ends_with(kTempSuffix) && it->is_regular_file(ec))
            std::filesystem::remove(p, ec);
    }
}

} // namespace logfiles
