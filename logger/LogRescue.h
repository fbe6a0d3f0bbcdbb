#pragma once

#include "logfiles/LocalTime.h"

#include <filesystem>
#include <string_view>
#include <system_error>
#include <vector>

// Where the log goes when the logs folder cannot take it at the end: the first folder of the
// user's that does, in a subfolder named after the logs folder, so that the next start of a
// logger on that logs folder, and of no other, brings it back there.
class LogRescue {
public:
    LogRescue(const std::vector<std::filesystem::path>& folders,
              const std::filesystem::path& logsFolder);

    struct Outcome {
        std::filesystem::path path; // the file saved, or the one that stays where it was
        std::error_code error;
    };
    // Writes the content under an archive name for `t`; on failure the path is empty and the
    // error is that of the last folder tried.
    Outcome save(std::string_view content, const LocalTime& t) const;
    // Moves every log saved for this logs folder into it under its own archive name. What
    // cannot be moved stays where it is, for the next start to try again.
    std::vector<Outcome> bringBack() const;

private:
    std::vector<std::filesystem::path> m_folders;
    std::filesystem::path m_logsFolder;
};
