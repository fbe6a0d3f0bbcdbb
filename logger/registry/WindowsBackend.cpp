#include "WindowsBackend.h"

#define WIN32_LEAN_AND_MEAN
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <cstring>
#include <vector>

namespace registry {

namespace {

HKEY toHkey(Handle handle) {
    return reinterpret_cast<HKEY>(handle);
}
Handle toHandle(HKEY key) {
    return reinterpret_cast<Handle>(key);
}
DWORD toDword(std::size_t n) {
    return static_cast<DWORD>(n);
}

} // namespace

Result WindowsBackend::connect(const std::string& machine, Handle root, Handle& remote) {
    HKEY key = nullptr;
    const auto result = RegConnectRegistryA(machine.c_str(), toHkey(root), &key);
    remote = toHandle(key);
    return result;
}

Result WindowsBackend::openKey(Handle parent, const std::string& path, std::uint32_t access,
                               Handle& handle) {
    HKEY key = nullptr;
    const auto result = RegOpenKeyExA(toHkey(parent), path.c_str(), 0, access, &key);
    handle = toHandle(key);
    return result;
}

Result WindowsBackend::createKey(Handle parent, const std::string& path, std::uint32_t access,
                                 Handle& handle) {
    HKEY key = nullptr;
    DWORD disposition = 0;
    SECURITY_ATTRIBUTES security{};
    char noClass[] = "";
    const auto result =
        RegCreateKeyExA(toHkey(parent), path.c_str(), 0, noClass, REG_OPTION_NON_VOLATILE, access,
                        &security, &key, &disposition);
    handle = toHandle(key);
    return result;
}

Result WindowsBackend::closeKey(Handle handle) {
    return RegCloseKey(toHkey(handle));
}

// Asks for the size first, then reads; a value that grew in between is asked for again. The
// size the first call names may exceed the 8-bit text's, so the data takes the read's size.
Result WindowsBackend::queryValue(Handle handle, const std::string& name, std::uint32_t& type,
                                  std::string& data) {
    DWORD size = 0;
    DWORD storedType = 0;
    auto result =
        RegQueryValueExA(toHkey(handle), name.c_str(), nullptr, &storedType, nullptr, &size);
    while (result == ERROR_SUCCESS || result == ERROR_MORE_DATA) {
        data.resize(size);
        result = RegQueryValueExA(toHkey(handle), name.c_str(), nullptr, &storedType,
                                  reinterpret_cast<BYTE*>(data.data()), &size);
        if (result == ERROR_SUCCESS) {
            data.resize(size);
            type = storedType;
            break;
        }
    }
    return result;
}

Result WindowsBackend::setValue(Handle handle, const std::string& name, std::uint32_t type,
                                std::string_view data) {
    return RegSetValueExA(toHkey(handle), name.c_str(), 0, type,
                          reinterpret_cast<const BYTE*>(data.data()), toDword(data.size()));
}

Result WindowsBackend::deleteValue(Handle handle, const std::string& name) {
    return RegDeleteValueA(toHkey(handle), name.c_str());
}

Result WindowsBackend::deleteKey(Handle parent, const std::string& path) {
    return RegDeleteKeyA(toHkey(parent), path.c_str());
}

Result WindowsBackend::enumKey(Handle handle, std::uint32_t index, std::string& name) {
    char buffer[256] = {};
    const auto result = RegEnumKeyA(toHkey(handle), index, buffer, sizeof buffer);
    if (result == ERROR_SUCCESS) name = buffer;
    return result;
}

Result WindowsBackend::enumValue(Handle handle, std::uint32_t index, std::string& name) {
    KeyInfo info;
    if (const auto result = queryInfo(handle, info); result != ERROR_SUCCESS) return result;
    std::vector<char> buffer(info.maxValueNameLength + 1u);
    auto length = toDword(buffer.size());
    const auto result = RegEnumValueA(toHkey(handle), index, buffer.data(), &length, nullptr,
                                      nullptr, nullptr, nullptr);
    if (result == ERROR_SUCCESS) name.assign(buffer.data(), length);
    return result;
}

Result WindowsBackend::queryInfo(Handle handle, KeyInfo& info) {
    DWORD subKeys = 0, maxSubKey = 0, values = 0, maxValueName = 0, maxValue = 0;
    const auto result =
        RegQueryInfoKeyA(toHkey(handle), nullptr, nullptr, nullptr, &subKeys, &maxSubKey, nullptr,
                         &values, &maxValueName, &maxValue, nullptr, nullptr);
    info = {subKeys, maxSubKey, values, maxValueName, maxValue};
    return result;
}

std::string WindowsBackend::expandEnvironmentStrings(const std::string& text) {
    const auto size = ExpandEnvironmentStringsA(text.c_str(), nullptr, 0);
    if (size == 0) return text;
    std::string expanded(size, '\0');
    const auto written = ExpandEnvironmentStringsA(text.c_str(), expanded.data(), size);
    if (written == 0 || written > size) return text;
    expanded.resize(std::strlen(expanded.c_str()));
    return expanded;
}

} // namespace registry
