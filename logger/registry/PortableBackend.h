#pragma once

#include "AutostartFolder.h"
#include "Backend.h"
#include "Hive.h"

#include <filesystem>
#include <map>
#include <string>

namespace registry {

// A registry of the user's own, for systems without one: each root in a file of its own in
// <config>/<program>/registry/, read again by every call, so that nothing is cached and
// another process's change is seen at once. The values of the current user's Run key are XDG
// autostart entries in <config>/autostart/, so that they start their commands at logon.
class PortableBackend : public Backend {
public:
    // configHome: $XDG_CONFIG_HOME or ~/.config for the real user, a scratch folder in tests.
    PortableBackend(std::filesystem::path configHome, const std::string& programName);

    Result connect(const std::string& machine, Handle root, Handle& remote) override;
    Result openKey(Handle parent, const std::string& path, std::uint32_t access,
                   Handle& key) override;
    Result createKey(Handle parent, const std::string& path, std::uint32_t access,
                     Handle& key) override;
    Result closeKey(Handle key) override;
    Result queryValue(Handle key, const std::string& name, std::uint32_t& type,
                      std::string& data) override;
    Result setValue(Handle key, const std::string& name, std::uint32_t type,
                    std::string_view data) override;
    Result deleteValue(Handle key, const std::string& name) override;
    Result deleteKey(Handle parent, const std::string& path) override;
    Result enumKey(Handle key, std::uint32_t index, std::string& name) override;
    Result enumValue(Handle key, std::uint32_t index, std::string& name) override;
    Result queryInfo(Handle key, KeyInfo& info) override;
    std::string expandEnvironmentStrings(const std::string& text) override;

    const std::filesystem::path& storeFolder() const { return m_store; }
    const AutostartFolder& autostart() const { return m_autostart; }

private:
    struct Key {
        std::uint32_t root = 0;
        std::string path;
        std::uint32_t access = 0;
    };

    // The key a handle and a path below it name; kInvalidHandle or kBadPathName when none.
    Result resolve(Handle parent, const std::string& path, Key& key) const;
    Result openOrCreate(Handle parent, const std::string& path, std::uint32_t access, bool create,
                        Handle& handle);
    // The opened key, checked for the access the call needs.
    Result opened(Handle handle, std::uint32_t access, Key& key) const;
    // The key's hive, loaded; kKeyDeleted when the key is gone since it was opened.
    Result loadExisting(const Key& key, Hive& hive) const;
    Result load(std::uint32_t root, Hive& hive) const;
    std::filesystem::path hiveFile(std::uint32_t root) const;
    static bool isRunKey(const Key& key);
    Handle add(Key key);

    std::filesystem::path m_store;
    AutostartFolder m_autostart;
    std::map<Handle, Key> m_open;
    Handle m_nextHandle = 1;
};

} // namespace registry
