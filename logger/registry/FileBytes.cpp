#include "FileBytes.h"

#include <fstream>

namespace registry {

std::error_code readFileBytes(const std::filesystem::path& path, std::string& out,
                              std::uintmax_t maxBytes) {
    out.clear();
    std::error_code ec;
    const auto size = std::filesystem::file_size(path, ec);
    if (ec) return ec;
    if (size > maxBytes) return std::make_error_code(std::errc::file_too_large);
    std::ifstream in(path, std::ios::binary);
    out.resize(static_cast<std::size_t>(size));
    if (!in.read(out.data(), static_cast<std::streamsize>(size)))
        return std::make_error_code(std::errc::io_error);
    return {};
}

} // namespace registry
