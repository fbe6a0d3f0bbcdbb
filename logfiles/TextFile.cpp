#include "TextFile.h"

#include "platform/FolderFiles.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <utility>
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
constexpr int kExtendFlags = O_WRONLY | O_BINARY;
int syncFile(int fd) {
    return _commit(fd);
}
#define write _write
#define close _close
#define open _wopen // the path as it is: the narrow calls take the ANSI code page
#define fstat _fstat64
#define lseek _lseeki64
#define dup _dup
using StatBuf = struct _stat64;
#else
constexpr int kWriteFlags = O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC;
constexpr int kExtendFlags = O_WRONLY | O_NONBLOCK | O_CLOEXEC;
int syncFile(int fd) {
    return ::fdatasync(fd);
}
using StatBuf = struct stat;
#endif

std::error_code writeAll(int fd, std::string_view content) {
    while (!content.empty()) {
        const auto n = ::write(fd, content.data(), static_cast<unsigned>(content.size()));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return lastError();
        content.remove_prefix(static_cast<std::size_t>(n));
    }
    return {};
}

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
        if (auto ec = writeAll(f.fd, content)) return discardTemp(ec);
        if (syncFile(f.fd) != 0) return discardTemp(lastError());
    }
    std::error_code ec;
    std::filesystem::rename(temp, path, ec);
    return ec ? discardTemp(ec) : ec;
}

FlushBehind::FlushBehind() : m_thread([this] { run(); }) {}

FlushBehind::~FlushBehind() {
    {
        std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_wake.notify_one();
    m_thread.join();
}

void FlushBehind::flush(int fd) {
    {
        std::lock_guard lock(m_mutex);
        m_waiting.push_back(fd);
    }
    m_wake.notify_one();
}

void FlushBehind::finish() {
    std::unique_lock lock(m_mutex);
    m_done.wait(lock, [this] { return m_waiting.empty() && !m_flushing; });
}

std::error_code FlushBehind::takeError() {
    std::lock_guard lock(m_mutex);
    return std::exchange(m_error, {});
}

void FlushBehind::run() {
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_wake.wait(lock, [this] { return m_stopping || !m_waiting.empty(); });
        if (m_waiting.empty()) return;
        const auto fds = std::exchange(m_waiting, {});
        m_flushing = true;
        lock.unlock();
        std::error_code failed;
        for (const int fd : fds) {
            if (syncFile(fd) != 0) failed = lastError();
            ::close(fd);
        }
        lock.lock();
        m_flushing = false;
        if (failed) m_error = failed;
        m_done.notify_all();
    }
}

std::error_code overwriteTail(const std::filesystem::path& path, std::uintmax_t size,
                              std::uintmax_t offset, std::string_view content, FlushBehind& flush) {
    Fd f{::open(path.c_str(), kExtendFlags)};
    if (f.fd < 0) return lastError();
    StatBuf st{};
    if (::fstat(f.fd, &st) != 0) return lastError();
    if ((st.st_mode & S_IFMT) != S_IFREG || static_cast<std::uintmax_t>(st.st_size) != size ||
        offset > size)
        return std::make_error_code(std::errc::invalid_argument);
    if (::lseek(f.fd, static_cast<decltype(st.st_size)>(offset), SEEK_SET) < 0) return lastError();
    if (auto ec = writeAll(f.fd, content)) return ec;
    const int own = ::dup(f.fd);
    if (own < 0) return syncFile(f.fd) != 0 ? lastError() : std::error_code{};
    flush.flush(own);
    return {};
}

std::error_code renameWithoutReplacing(const std::filesystem::path& from,
                                       const std::filesystem::path& to) {
#ifdef _WIN32
    // The C runtime's rename never replaces an existing file.
    return _wrename(from.c_str(), to.c_str()) != 0 ? lastError() : std::error_code{};
#else
    return ::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) != 0
               ? lastError()
               : std::error_code{};
#endif
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
