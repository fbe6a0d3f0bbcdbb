#pragma once

#include "Backend.h"

namespace registry {

// The Windows registry itself, through the 8-bit functions of advapi32.
class WindowsBackend : public Backend {
public:
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
};

} // namespace registry
