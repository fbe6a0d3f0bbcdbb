#pragma once

#include "ScopedEnv.h"
#include "logger/registry/cRegistry.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <string>

#ifndef _WIN32
#include "TempDir.h"
#endif

// The registry the tests run against, chosen when they are built: on Windows the system's own,
// in a scratch key under HKEY_CURRENT_USER\Software that is removed afterwards; elsewhere the
// portable one, in a temporary folder. The same tests run against both.
class RegistryTest : public ::testing::Test {
protected:
    static constexpr const char* kProgram = "kelvotest";
    static constexpr const char* kSource = "kelvotest.cRegistry";

    RegistryTest();
    ~RegistryTest() override;

    registry::Backend& backend() { return *m_backend; }
    // A key of this test's own, below HKEY_CURRENT_USER.
    const std::string& section() const { return m_section; }
    // A fresh object, addressed at a value of the scratch key (or of its path under `root`).
    registry::cRegistry entry(const std::string& valueKey, std::int32_t type = registry::kString,
                              const std::string& subKey = "",
                              std::uint32_t root = registry::kCurrentUser);

    // A value as the backend holds it, below HKEY_CURRENT_USER, bypassing the class.
    struct Stored {
        std::uint32_t type;
        std::string data;
        bool operator==(const Stored&) const = default;
        friend std::ostream& operator<<(std::ostream& out, const Stored& s) {
            return out << "type " << s.type << " \"" << s.data << '"';
        }
    };
    std::optional<Stored> stored(const std::string& path, const std::string& name);
    void store(const std::string& path, const std::string& name, std::uint32_t type,
               std::string_view data);
    // Removes the key with everything below it; a missing key is no error.
    void deleteTree(std::uint32_t root, const std::string& path);

#ifndef _WIN32
    std::filesystem::path configHome() const {
        return m_temp / "config";
    }
    TempDir m_temp;
#endif

private:
    std::unique_ptr<registry::Backend> m_backend;
    std::string m_section;
};

// The error an action raises; none fails the test.
registry::RegistryError raised(const std::function<void()>& action);

// Each of the 256 byte values once, in order.
inline std::string everyByte() {
    std::string all;
    for (int i = 0; i < 256; ++i)
        all += static_cast<char>(i);
    return all;
}
