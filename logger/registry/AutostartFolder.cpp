#include "AutostartFolder.h"

#include "Environment.h"
#include "FileBytes.h"
#include "Hive.h"
#include "logfiles/TextFile.h"

#include <algorithm>

namespace registry {

namespace {

constexpr std::string_view kPrefix = "kelvo-run-";
constexpr std::string_view kSuffix = ".desktop";
constexpr std::size_t kMaxFileName = 255;
constexpr std::uintmax_t kMaxEntryFile = 1u << 20;

bool isOurs(const std::filesystem::path& file) {
    const auto name = file.filename().string();
    return name.starts_with(kPrefix) && name.ends_with(kSuffix);
}

// What the desktop is to start for a value: string values are command lines, up to their
// first NUL; other types start nothing, as on Windows.
std::string commandOf(std::uint32_t type, std::string_view data) {
    data = data.substr(0, data.find('\0'));
    if (type == kString) return std::string(data);
    // The desktop expands nothing, so the references are expanded as the value is written.
    if (type == kExpandString) return expandEnvironment(data);
    return {};
}

Result failure(const std::error_code& ec) {
    if (ec == std::errc::no_such_file_or_directory) return kFileNotFound;
    if (ec == std::errc::permission_denied) return kAccessDenied;
    return kBadDatabase;
}

} // namespace

// Names match without regard to letter case, so the file is named by the folded name: ASCII
// letters in lower case, digits, '-' and '.' as they are, every other byte as _XX.
std::filesystem::path AutostartFolder::fileFor(const std::string& name) const {
    std::string file(kPrefix);
    for (const char c : Hive::fold(name)) {
        const auto byte = static_cast<unsigned char>(c);
        if (c >= 'A' && c <= 'Z')
            file += static_cast<char>(c - 'A' + 'a');
        else if ((c >= '0' && c <= '9') || c == '-' || c == '.')
            file += c;
        else
            file += '_' + std::string(1, "0123456789abcdef"[byte >> 4]) +
                    "0123456789abcdef"[byte & 0xF];
    }
    file += kSuffix;
    if (file.size() > kMaxFileName) return {};
    return m_folder / file;
}

Result AutostartFolder::read(const std::filesystem::path& file, desktop::RunValue& value) {
    std::string text;
    if (const auto ec = readFileBytes(file, text, kMaxEntryFile)) return failure(ec);
    return desktop::parseEntry(text, value) ? kSuccess : kBadDatabase;
}

Result AutostartFolder::query(const std::string& name, std::uint32_t& type,
                              std::string& data) const {
    const auto file = fileFor(name);
    if (file.empty()) return kFileNotFound;
    desktop::RunValue value;
    if (const auto result = read(file, value); result != kSuccess) return result;
    type = value.type;
    data = std::move(value.data);
    return kSuccess;
}

Result AutostartFolder::set(const std::string& name, std::uint32_t type,
                            std::string_view data) const {
    const auto file = fileFor(name);
    if (file.empty()) return kInvalidParameter;
    std::error_code ec;
    std::filesystem::create_directories(m_folder, ec);
    if (ec) return kAccessDenied;
    const desktop::RunValue value{name, type, std::string(data)};
    if (logfiles::writeAtomically(file, desktop::entryText(value, commandOf(type, data))))
        return kAccessDenied;
    return kSuccess;
}

Result AutostartFolder::remove(const std::string& name) const {
    const auto file = fileFor(name);
    if (file.empty()) return kFileNotFound;
    std::error_code ec;
    if (std::filesystem::remove(file, ec)) return kSuccess;
    return ec ? kAccessDenied : kFileNotFound;
}

std::vector<std::filesystem::path> AutostartFolder::entries() const {
    std::vector<std::filesystem::path> files;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(m_folder, ec), end; !ec && it != end;
         it.increment(ec))
        if (isOurs(it->path()) && it->is_regular_file(ec)) files.push_back(it->path());
    std::sort(files.begin(), files.end());
    return files;
}

Result AutostartFolder::enumerate(std::uint32_t index, std::string& name) const {
    const auto files = entries();
    if (index >= files.size()) return kNoMoreItems;
    desktop::RunValue value;
    if (const auto result = read(files[index], value); result != kSuccess) return result;
    name = std::move(value.name);
    return kSuccess;
}

Result AutostartFolder::info(KeyInfo& info) const {
    for (const auto& file : entries()) {
        desktop::RunValue value;
        if (const auto result = read(file, value); result != kSuccess) return result;
        info.countValue(value.name.size(), value.data.size());
    }
    return kSuccess;
}

} // namespace registry
