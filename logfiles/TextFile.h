#pragma once

#include <condition_variable>
#include <cstdint>
#include <filesystem>
#include <limits>
#include <mutex>
#include <string>
#include <string_view>
#include <system_error>
#include <thread>
#include <vector>

// Log and settings files are 8-bit text kept as bytes. A line ends at CR LF only, so a lone
// CR or LF inside a received datagram survives the round trip through a file.
namespace logfiles {

enum class FileError { NotRegularFile = 1, TooLarge };
std::error_code make_error_code(FileError e);

inline constexpr std::string_view kLineEnd = "\r\n";
inline constexpr std::uintmax_t kNoLimit = std::numeric_limits<std::uintmax_t>::max();

// The whole file as it reads line by line: each line followed by CR LF. That is the file's
// own bytes, plus CR LF when the last line has none. Never blocks on a pipe or device: only
// regular files are read. A file larger than maxBytes is refused with FileError::TooLarge.
std::error_code readText(const std::filesystem::path& path, std::string& out,
                         std::uintmax_t maxBytes = kNoLimit);

// The lines of a text, split at CR LF; the end of the text ends the last line, and a CR LF at
// the very end does not start another one.
std::vector<std::string_view> splitLines(std::string_view text);

// Replaces the file as a whole: a temporary file beside it, flushed to disk, renamed over the
// old one. A crash, or a reader at any moment, sees the old or the new content, never a part.
std::error_code writeAtomically(const std::filesystem::path& path, std::string_view content);

// Flushes files to disk on a thread of its own. A write is in the file for every reader, and
// survives its program being killed, as soon as it returns; the flush makes it survive a power
// cut too, and on a busy disk it can take long: no window need wait for it.
class FlushBehind {
public:
    FlushBehind();
    ~FlushBehind(); // after flushing whatever waits
    FlushBehind(const FlushBehind&) = delete;
    FlushBehind& operator=(const FlushBehind&) = delete;
    // Takes a descriptor of its own to flush and close.
    void flush(int fd);
    // Waits until every descriptor handed over is flushed and closed: Windows renames or
    // deletes no file that is open.
    void finish();
    // Why a flush failed since the last call, or nothing.
    std::error_code takeError();

private:
    void run();

    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::condition_variable m_done;
    std::vector<int> m_waiting;
    bool m_flushing = false;
    std::error_code m_error;
    bool m_stopping = false;
    std::thread m_thread; // last: starts once everything above is ready
};

// Extends a file of `size` bytes cheaply: writes `content` over it from `offset` on, and leaves
// the flush to disk to `flush`. Touches nothing when the file is missing or has another size
// (someone else wrote it). A failure or a crash half-way leaves the file ending in part of
// `content`.
std::error_code overwriteTail(const std::filesystem::path& path, std::uintmax_t size,
                              std::uintmax_t offset, std::string_view content, FlushBehind& flush);

// Renames a file, but never over another one: fails when `to` exists.
std::error_code renameWithoutReplacing(const std::filesystem::path& from,
                                       const std::filesystem::path& to);

// Removes temporary files that a killed writer left in the folder.
void removeLeftoverTemporaries(const std::filesystem::path& folder);

} // namespace logfiles

template <> struct std::is_error_code_enum<logfiles::FileError> : std::true_type {};
