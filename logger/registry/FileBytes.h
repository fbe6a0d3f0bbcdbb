#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <system_error>

namespace registry {

// The file's bytes as they are. Files larger than maxBytes are refused, so that a stray large
// file cannot exhaust memory.
std::error_code readFileBytes(const std::filesystem::path& path, std::string& out,
                              std::uintmax_t maxBytes);

} // namespace registry
