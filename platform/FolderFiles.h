#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

// A folder listed, and a file read, in as few calls to the system as the platform allows: the
// viewer does both for every log of a folder of thousands, and under Wine every call that
// reaches its server costs a round trip.
namespace platform {

struct FolderEntry {
    std::string name; // UTF-8, as std::filesystem::path::string() gives it
    bool isFolder;    // a link counts as what it leads to; a link to nowhere as no folder
};

// Every entry but "." and "..", in the order the system gives them.
std::error_code listFolder(const std::filesystem::path& folder, std::vector<FolderEntry>& entries);

// The file's bytes as they are. Only regular files are read, so a pipe or device never
// blocks; one larger than maxBytes is refused with logfiles::FileError::TooLarge. Leaves room
// after the bytes for a line end.
std::error_code readRegularFile(const std::filesystem::path& path, std::string& out,
                                std::uintmax_t maxBytes);

} // namespace platform
