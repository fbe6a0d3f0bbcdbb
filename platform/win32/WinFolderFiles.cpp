#include "platform/FolderFiles.h"

#include "logfiles/TextFile.h"

#include <algorithm>
#include <windows.h>

namespace platform {

namespace {
std::error_code lastError() {
    return {static_cast<int>(GetLastError()), std::system_category()};
}

struct FindHandle {
    HANDLE h;
    ~FindHandle() {
        if (h != INVALID_HANDLE_VALUE) FindClose(h);
    }
};

struct FileHandle {
    HANDLE h;
    ~FileHandle() {
        if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
    }
};
} // namespace

// The attributes come with the names: no status call per entry, which std::filesystem makes.
std::error_code listFolder(const std::filesystem::path& folder, std::vector<FolderEntry>& entries) {
    entries.clear();
    WIN32_FIND_DATAW found;
    const FindHandle find{FindFirstFileExW((folder / L"*").c_str(), FindExInfoBasic, &found,
                                           FindExSearchNameMatch, nullptr,
                                           FIND_FIRST_EX_LARGE_FETCH)};
    if (find.h == INVALID_HANDLE_VALUE)
        return GetLastError() == ERROR_FILE_NOT_FOUND ? std::error_code() : lastError();
    do {
        const std::wstring_view name = found.cFileName;
        if (name == L"." || name == L"..") continue;
        entries.push_back({std::filesystem::path(name).string(),
                           (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
    } while (FindNextFileW(find.h, &found));
    return GetLastError() == ERROR_NO_MORE_FILES ? std::error_code() : lastError();
}

// Opened, sized and read in one call each: every call that reaches Wine's server is a round
// trip, which the C runtime's open, stat and read in 64 KB pieces multiply.
std::error_code readRegularFile(const std::filesystem::path& path, std::string& out,
                                std::uintmax_t maxBytes) {
    out.clear();
    const FileHandle file{CreateFileW(path.c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr)};
    if (file.h == INVALID_HANDLE_VALUE) return lastError();
    if (GetFileType(file.h) != FILE_TYPE_DISK) return logfiles::FileError::NotRegularFile;
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file.h, &size)) return lastError();
    const auto bytes = static_cast<std::uintmax_t>(size.QuadPart);
    if (bytes > maxBytes) return logfiles::FileError::TooLarge;
    // One byte more than the size, so that the first read already finds the end; the file may
    // grow meanwhile, and then the string does.
    out.reserve(static_cast<std::size_t>(bytes) + logfiles::kLineEnd.size());
    out.resize(static_cast<std::size_t>(bytes) + 1);
    std::size_t have = 0;
    for (;;) {
        if (have == out.size()) out.resize(out.size() * 2);
        const auto want = static_cast<DWORD>(std::min<std::size_t>(out.size() - have, 1u << 30));
        DWORD got = 0;
        if (!ReadFile(file.h, out.data() + have, want, &got, nullptr)) return lastError();
        have += got;
        if (have > maxBytes) return logfiles::FileError::TooLarge;
        if (got < want) break;
    }
    out.resize(have);
    return {};
}

} // namespace platform
