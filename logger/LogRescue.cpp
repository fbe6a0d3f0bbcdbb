#include "LogRescue.h"

#include "logfiles/LogNames.h"
#include "logfiles/TextFile.h"

#include <cstdint>
#include <cstdio>

namespace fs = std::filesystem;

namespace {
// The same logs folder gives the same name in every run and on every build (FNV-1a).
std::string folderKey(const fs::path& logsFolder) {
    std::error_code ec;
    auto path = fs::weakly_canonical(fs::absolute(logsFolder, ec), ec);
    if (ec) path = logsFolder;
    std::uint64_t hash = 14695981039346656037ull;
    for (const char c : path.generic_string())
        hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ull;
    char name[24];
    std::snprintf(name, sizeof name, "logs-%016llx", static_cast<unsigned long long>(hash));
    return name;
}
} // namespace

LogRescue::LogRescue(const std::vector<fs::path>& folders, const fs::path& logsFolder)
    : m_logsFolder(logsFolder) {
    const auto key = folderKey(logsFolder);
    for (const auto& folder : folders)
        m_folders.push_back(folder / key);
}

LogRescue::Outcome LogRescue::save(std::string_view content, const LocalTime& t) const {
    std::error_code last = std::make_error_code(std::errc::no_such_file_or_directory);
    for (const auto& folder : m_folders) {
        std::error_code ec;
        fs::create_directories(folder, ec);
        // A log is nobody else's business, in the temporary folder least of all.
        fs::permissions(folder, fs::perms::owner_all, ec);
        const auto path = logfiles::freeArchivePath(folder, t);
        last = logfiles::writeAtomically(path, content);
        if (!last) return {path, {}};
    }
    return {{}, last};
}

std::vector<LogRescue::Outcome> LogRescue::bringBack() const {
    std::vector<Outcome> left;
    for (const auto& folder : m_folders) {
        std::error_code ec;
        for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
            const auto name = it->path().filename().string();
            const auto time = logfiles::archiveTime(name);
            if (!time || !it->is_regular_file(ec)) continue;
            std::string text;
            auto err = logfiles::readText(it->path(), text);
            if (!err)
                err =
                    logfiles::writeAtomically(logfiles::freeArchivePath(m_logsFolder, *time), text);
            // Deleted only once its copy is safely in the logs folder.
            if (!err) fs::remove(it->path(), err);
            if (err) left.push_back({it->path(), err});
        }
        fs::remove(folder, ec); // only when emptied
    }
    return left;
}
