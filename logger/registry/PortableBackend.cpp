#include "PortableBackend.h"

#include "Environment.h"

#include <algorithm>
#include <array>
#include <optional>

namespace registry {

namespace {

constexpr std::string_view kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

struct Root {
    std::uint32_t root;
    std::string_view fileName;
};
constexpr std::array<Root, 5> kRoots{{
    {kClassesRoot, "HKEY_CLASSES_ROOT.hive"},
    {kCurrentUser, "HKEY_CURRENT_USER.hive"},
    {kLocalMachine, "HKEY_LOCAL_MACHINE.hive"},
    {kUsers, "HKEY_USERS.hive"},
    {kCurrentConfig, "HKEY_CURRENT_CONFIG.hive"},
}};

std::optional<std::uint32_t> rootOf(Handle handle) {
    for (const auto& root : kRoots)
        if (rootHandle(root.root) == handle) return root.root;
    return std::nullopt;
}

// "a\b" below "x\y" is "x\y\a\b". A path may end in a backslash, but not start with one.
Result joinPath(std::string& parent, std::string_view path) {
    if (path.starts_with('\\')) return kBadPathName;
    while (!path.empty()) {
        const auto end = std::min(path.find('\\'), path.size());
        if (end > 0) {
            if (!parent.empty()) parent += '\\';
            parent += path.substr(0, end);
        }
        path.remove_prefix(std::min(end + 1, path.size()));
    }
    return kSuccess;
}

bool isRunKeyOrAbove(std::uint32_t root, const std::string& path) {
    const auto run = Hive::fold(kRunKey);
    const auto folded = Hive::fold(path);
    return root == kCurrentUser && (run == folded || run.starts_with(folded + '\\'));
}

} // namespace

PortableBackend::PortableBackend(std::filesystem::path configHome, const std::string& programName)
    : m_store(configHome / programName / "registry"), m_autostart(configHome / "autostart") {}

std::filesystem::path PortableBackend::hiveFile(std::uint32_t root) const {
    const auto it = std::find_if(kRoots.begin(), kRoots.end(),
                                 [root](const Root& r) { return r.root == root; });
    return m_store / it->fileName;
}

bool PortableBackend::isRunKey(const Key& key) {
    return key.root == kCurrentUser && Hive::fold(key.path) == Hive::fold(kRunKey);
}

// The Run key is there from the start, as on every Windows system.
Result PortableBackend::load(std::uint32_t root, Hive& hive) const {
    if (const auto result = Hive::load(hiveFile(root), hive); result != kSuccess) return result;
    if (root == kCurrentUser) hive.ensure(std::string(kRunKey));
    return kSuccess;
}

Result PortableBackend::loadExisting(const Key& key, Hive& hive) const {
    if (const auto result = load(key.root, hive); result != kSuccess) return result;
    return hive.find(key.path) ? kSuccess : kKeyDeleted;
}

Result PortableBackend::resolve(Handle parent, const std::string& path, Key& key) const {
    if (const auto root = rootOf(parent)) {
        key = {*root, {}, kAllAccess};
    } else {
        const auto it = m_open.find(parent);
        if (it == m_open.end()) return kInvalidHandle;
        key = it->second;
    }
    return joinPath(key.path, path);
}

Result PortableBackend::opened(Handle handle, std::uint32_t access, Key& key) const {
    if (const auto result = resolve(handle, {}, key); result != kSuccess) return result;
    return (key.access & access) == access ? kSuccess : kAccessDenied;
}

Handle PortableBackend::add(Key key) {
    m_open.emplace(m_nextHandle, std::move(key));
    return m_nextHandle++;
}

// No other computer's registry can be reached from here.
Result PortableBackend::connect(const std::string&, Handle, Handle&) {
    return kBadNetPath;
}

Result PortableBackend::openKey(Handle parent, const std::string& path, std::uint32_t access,
                                Handle& handle) {
    return openOrCreate(parent, path, access, false, handle);
}

Result PortableBackend::createKey(Handle parent, const std::string& path, std::uint32_t access,
                                  Handle& handle) {
    return openOrCreate(parent, path, access, true, handle);
}

Result PortableBackend::openOrCreate(Handle parent, const std::string& path, std::uint32_t access,
                                     bool create, Handle& handle) {
    Key key;
    Hive hive;
    if (const auto result = resolve(parent, path, key); result != kSuccess) return result;
    if (const auto result = load(key.root, hive); result != kSuccess) return result;
    if (!hive.find(key.path)) {
        if (!create) return kFileNotFound;
        hive.ensure(key.path);
        if (const auto result = hive.save(hiveFile(key.root)); result != kSuccess) return result;
    }
    key.access = access;
    handle = add(std::move(key));
    return kSuccess;
}

Result PortableBackend::closeKey(Handle handle) {
    if (rootOf(handle)) return kSuccess;
    return m_open.erase(handle) == 1 ? kSuccess : kInvalidHandle;
}

Result PortableBackend::queryValue(Handle handle, const std::string& name, std::uint32_t& type,
                                   std::string& data) {
    Key key;
    Hive hive;
    if (const auto result = opened(handle, kQueryValue, key); result != kSuccess) return result;
    if (isRunKey(key)) return m_autostart.query(name, type, data);
    if (const auto result = loadExisting(key, hive); result != kSuccess) return result;
    const auto* value = Hive::findValue(*hive.find(key.path), name);
    if (!value) return kFileNotFound;
    type = value->type;
    data = value->data;
    return kSuccess;
}

Result PortableBackend::setValue(Handle handle, const std::string& name, std::uint32_t type,
                                 std::string_view data) {
    Key key;
    Hive hive;
    if (const auto result = opened(handle, kSetValue, key); result != kSuccess) return result;
    if (isRunKey(key)) return m_autostart.set(name, type, data);
    if (const auto result = loadExisting(key, hive); result != kSuccess) return result;
    auto& stored = *hive.find(key.path);
    auto* value = Hive::findValue(stored, name);
    if (!value) value = &stored.values.emplace_back(StoredValue{name, type, {}});
    value->type = type;
    value->data = data;
    return hive.save(hiveFile(key.root));
}

Result PortableBackend::deleteValue(Handle handle, const std::string& name) {
    Key key;
    Hive hive;
    if (const auto result = opened(handle, kSetValue, key); result != kSuccess) return result;
    if (isRunKey(key)) return m_autostart.remove(name);
    if (const auto result = loadExisting(key, hive); result != kSuccess) return result;
    auto& stored = *hive.find(key.path);
    const auto* value = Hive::findValue(stored, name);
    if (!value) return kFileNotFound;
    stored.values.erase(stored.values.begin() + (value - stored.values.data()));
    return hive.save(hiveFile(key.root));
}

Result PortableBackend::deleteKey(Handle parent, const std::string& path) {
    Key key;
    Hive hive;
    if (const auto result = resolve(parent, path, key); result != kSuccess) return result;
    // The roots and the Run key with the keys above it belong to the system.
    if (key.path.empty() || isRunKeyOrAbove(key.root, key.path)) return kAccessDenied;
    if (const auto result = load(key.root, hive); result != kSuccess) return result;
    if (!hive.find(key.path)) return kFileNotFound;
    if (hive.hasSubKeys(key.path)) return kAccessDenied;
    hive.erase(key.path);
    return hive.save(hiveFile(key.root));
}

Result PortableBackend::enumKey(Handle handle, std::uint32_t index, std::string& name) {
    Key key;
    Hive hive;
    if (const auto result = opened(handle, kEnumerateSubKeys, key); result != kSuccess)
        return result;
    if (const auto result = loadExisting(key, hive); result != kSuccess) return result;
    const auto names = hive.subKeyNames(key.path);
    if (index >= names.size()) return kNoMoreItems;
    name = names[index];
    return kSuccess;
}

Result PortableBackend::enumValue(Handle handle, std::uint32_t index, std::string& name) {
    Key key;
    Hive hive;
    if (const auto result = opened(handle, kQueryValue, key); result != kSuccess) return result;
    if (isRunKey(key)) return m_autostart.enumerate(index, name);
    if (const auto result = loadExisting(key, hive); result != kSuccess) return result;
    const auto& values = hive.find(key.path)->values;
    if (index >= values.size()) return kNoMoreItems;
    name = values[index].name;
    return kSuccess;
}

Result PortableBackend::queryInfo(Handle handle, KeyInfo& info) {
    Key key;
    Hive hive;
    if (const auto result = opened(handle, kQueryValue, key); result != kSuccess) return result;
    if (const auto result = loadExisting(key, hive); result != kSuccess) return result;
    info = {};
    for (const auto& name : hive.subKeyNames(key.path))
        info.countSubKey(name.size());
    if (isRunKey(key)) return m_autostart.info(info);
    for (const auto& value : hive.find(key.path)->values)
        info.countValue(value.name.size(), value.data.size());
    return kSuccess;
}

std::string PortableBackend::expandEnvironmentStrings(const std::string& text) {
    return expandEnvironment(text);
}

} // namespace registry
