#pragma once

#include <filesystem>
#include <string>

class ProcessLauncher {
public:
    virtual ~ProcessLauncher() = default;
    // Starts the program without arguments and without waiting for it or keeping a handle.
    // Returns an empty text on success, else why it could not start.
    virtual std::string startDetached(const std::filesystem::path& program) = 0;
};
