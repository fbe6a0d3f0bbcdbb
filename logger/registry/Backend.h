#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>

// The registry functions cRegistry needs, one for each function of the Windows registry API
// it was written against, with its result codes. Names and data are 8-bit strings, kept as
// bytes. Windows has the real thing; other systems keep a registry of the user's own.
namespace registry {

// A key as the functions see it: one of the predefined roots or a key opened from one.
using Handle = std::uintptr_t;
using Result = long;

// Windows result codes.
inline constexpr Result kSuccess = 0;
inline constexpr Result kFileNotFound = 2;
inline constexpr Result kAccessDenied = 5;
inline constexpr Result kInvalidHandle = 6;
inline constexpr Result kInvalidData = 13;
inline constexpr Result kBadNetPath = 53;
inline constexpr Result kInvalidParameter = 87;
inline constexpr Result kBadPathName = 161;
inline constexpr Result kMoreData = 234;
inline constexpr Result kNoMoreItems = 259;
inline constexpr Result kBadDatabase = 1009;
inline constexpr Result kKeyDeleted = 1018;

// Predefined roots, as 32-bit handle values.
inline constexpr std::uint32_t kClassesRoot = 0x80000000;
inline constexpr std::uint32_t kCurrentUser = 0x80000001;
inline constexpr std::uint32_t kLocalMachine = 0x80000002;
inline constexpr std::uint32_t kUsers = 0x80000003;
inline constexpr std::uint32_t kCurrentConfig = 0x80000005;

// Value types.
inline constexpr std::uint32_t kNone = 0;
inline constexpr std::uint32_t kString = 1;
inline constexpr std::uint32_t kExpandString = 2;
inline constexpr std::uint32_t kBinary = 3;
inline constexpr std::uint32_t kDword = 4;
inline constexpr std::uint32_t kDwordBigEndian = 5;
inline constexpr std::uint32_t kLink = 6;
inline constexpr std::uint32_t kMultiString = 7;

// Access rights.
inline constexpr std::uint32_t kQueryValue = 0x1;
inline constexpr std::uint32_t kSetValue = 0x2;
inline constexpr std::uint32_t kCreateSubKey = 0x4;
inline constexpr std::uint32_t kEnumerateSubKeys = 0x8;
inline constexpr std::uint32_t kAllAccess = 0x3F;

// A 32-bit root handle as a handle of the platform's width. Windows sign-extends the
// predefined roots on 64-bit systems, so HKEY_CURRENT_USER is 0xFFFFFFFF80000001 there.
inline Handle rootHandle(std::uint32_t root) {
    return static_cast<Handle>(static_cast<std::intptr_t>(static_cast<std::int32_t>(root)));
}

struct KeyInfo {
    std::uint32_t subKeys = 0;
    std::uint32_t maxSubKeyLength = 0;
    std::uint32_t values = 0;
    std::uint32_t maxValueNameLength = 0;
    std::uint32_t maxValueLength = 0;

    void countSubKey(std::size_t nameLength) {
        ++subKeys;
        maxSubKeyLength = std::max(maxSubKeyLength, static_cast<std::uint32_t>(nameLength));
    }
    void countValue(std::size_t nameLength, std::size_t dataLength) {
        ++values;
        maxValueNameLength = std::max(maxValueNameLength, static_cast<std::uint32_t>(nameLength));
        maxValueLength = std::max(maxValueLength, static_cast<std::uint32_t>(dataLength));
    }
};

class Backend {
public:
    virtual ~Backend() = default;

    // The given root of another computer's registry.
    virtual Result connect(const std::string& machine, Handle root, Handle& remote) = 0;
    virtual Result openKey(Handle parent, const std::string& path, std::uint32_t access,
                           Handle& key) = 0;
    // Opens the key, creating it and every missing key on its path.
    virtual Result createKey(Handle parent, const std::string& path, std::uint32_t access,
                             Handle& key) = 0;
    virtual Result closeKey(Handle key) = 0;
    // The value's type and all its bytes, exactly as stored.
    virtual Result queryValue(Handle key, const std::string& name, std::uint32_t& type,
                              std::string& data) = 0;
    virtual Result setValue(Handle key, const std::string& name, std::uint32_t type,
                            std::string_view data) = 0;
    virtual Result deleteValue(Handle key, const std::string& name) = 0;
    // Deletes a key that has no subkeys, with its values.
    virtual Result deleteKey(Handle parent, const std::string& path) = 0;
    // The name of the index-th subkey or value; kNoMoreItems past the last.
    virtual Result enumKey(Handle key, std::uint32_t index, std::string& name) = 0;
    virtual Result enumValue(Handle key, std::uint32_t index, std::string& name) = 0;
    virtual Result queryInfo(Handle key, KeyInfo& info) = 0;
    // The text with each %NAME% of a defined environment variable replaced by its value.
    virtual std::string expandEnvironmentStrings(const std::string& text) = 0;
};

} // namespace registry
