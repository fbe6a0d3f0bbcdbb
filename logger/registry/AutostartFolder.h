#pragma once

#include "Backend.h"
#include "DesktopEntry.h"

#include <filesystem>
#include <string>
#include <vector>

namespace registry {

// The values of the current user's Run key, kept as XDG autostart entries, so that the
// desktop starts their commands when the user logs on. One file a value, named by a fixed
// prefix and the value's name; files without that prefix belong to others and are never read
// or changed.
class AutostartFolder {
public:
    explicit AutostartFolder(std::filesystem::path folder) : m_folder(std::move(folder)) {}

    Result query(const std::string& name, std::uint32_t& type, std::string& data) const;
    Result set(const std::string& name, std::uint32_t type, std::string_view data) const;
    Result remove(const std::string& name) const;
    Result enumerate(std::uint32_t index, std::string& name) const;
    Result info(KeyInfo& info) const;

    // The entry's file; empty when the name is too long for a file name.
    std::filesystem::path fileFor(const std::string& name) const;

private:
    std::vector<std::filesystem::path> entries() const;
    static Result read(const std::filesystem::path& file, desktop::RunValue& value);

    std::filesystem::path m_folder;
};

} // namespace registry
