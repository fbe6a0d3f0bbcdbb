#include "LogFolder.h"

#include "logfiles/CodePage.h"
#include "logfiles/TextFile.h"
#include "platform/FolderFiles.h"

#include <algorithm>
#include <cerrno>
#ifndef _WIN32
#include <unistd.h>
#endif

namespace viewer {

namespace {
std::string folded(std::string_view name) {
    return logfiles::toUpper1252(name);
}

bool hasTxtExtension(std::string_view name) {
    return name.size() >= 4 && folded(name.substr(name.size() - 4)) == ".TXT";
}
} // namespace

std::error_code listLogNames(const std::filesystem::path& folder, std::vector<std::string>& names) {
    names.clear();
    std::vector<platform::FolderEntry> entries;
    if (auto error = platform::listFolder(folder, entries)) return error;
    std::vector<std::pair<std::string, std::string>> keyed; // folded name, name
    for (auto& e : entries)
        if (!e.isFolder && hasTxtExtension(e.name))
            keyed.emplace_back(folded(e.name), std::move(e.name));
    std::sort(keyed.begin(), keyed.end());
    names.reserve(keyed.size());
    for (auto& k : keyed)
        names.push_back(std::move(k.second));
    return {};
}

std::error_code readLog(const std::filesystem::path& path, std::string& text) {
    return logfiles::readText(path, text, kMaxLogBytes);
}

std::error_code deleteLog(const std::filesystem::path& path) {
#ifdef _WIN32
    std::error_code ec;
    if (std::filesystem::is_directory(std::filesystem::symlink_status(path, ec)))
        return std::make_error_code(std::errc::is_a_directory);
    // remove() says false, not an error, for a file that is gone: that is no deletion.
    if (!std::filesystem::remove(path, ec) && !ec)
        return std::make_error_code(std::errc::no_such_file_or_directory);
    return ec;
#else
    // unlink, unlike remove(), never takes an empty folder that has taken the name meanwhile.
    if (::unlink(path.c_str()) != 0) return {errno, std::generic_category()};
    return {};
#endif
}

std::string describe(std::error_code error) {
    if (error == logfiles::FileError::TooLarge)
        return error.message() + " (the viewer opens logs of up to " +
               std::to_string(kMaxLogBytes >> 20) + " MB)";
    return error.message();
}

} // namespace viewer
