#include "RegistryFixture.h"

#include <random>
#include <vector>

#ifdef _WIN32
#include "logger/registry/WindowsBackend.h"
#else
#include "logger/registry/PortableBackend.h"
#endif

using namespace registry;

namespace {

// Closes a key the test opened.
struct TestKey {
    Backend& backend;
    Handle handle = 0;
    ~TestKey() {
        if (handle) backend.closeKey(handle);
    }
};

} // namespace

RegistryTest::RegistryTest() {
#ifdef _WIN32
    m_backend = std::make_unique<WindowsBackend>();
    m_section = "Software\\KelvoRegistryTest-" + std::to_string(std::random_device()());
#else
    m_backend = std::make_unique<PortableBackend>(configHome(), kProgram);
    m_section = "Software\\KelvoRegistryTest";
#endif
}

RegistryTest::~RegistryTest() {
    deleteTree(kCurrentUser, m_section);
}

cRegistry RegistryTest::entry(const std::string& valueKey, std::int32_t type,
                              const std::string& subKey, std::uint32_t root) {
    cRegistry reg(kProgram, *m_backend);
    reg.ClassKey(root);
    reg.SectionKey(subKey.empty() ? m_section : m_section + "\\" + subKey);
    reg.ValueKey(valueKey);
    reg.ValueType(type);
    return reg;
}

std::optional<RegistryTest::Stored> RegistryTest::stored(const std::string& path,
                                                         const std::string& name) {
    TestKey key{*m_backend};
    Stored value{};
    if (m_backend->openKey(rootHandle(kCurrentUser), path, kQueryValue, key.handle) != kSuccess ||
        m_backend->queryValue(key.handle, name, value.type, value.data) != kSuccess)
        return std::nullopt;
    return value;
}

void RegistryTest::store(const std::string& path, const std::string& name, std::uint32_t type,
                         std::string_view data) {
    TestKey key{*m_backend};
    ASSERT_EQ(m_backend->createKey(rootHandle(kCurrentUser), path, kAllAccess, key.handle),
              kSuccess);
    ASSERT_EQ(m_backend->setValue(key.handle, name, type, data), kSuccess);
}

void RegistryTest::deleteTree(std::uint32_t root, const std::string& path) {
    std::vector<std::string> subKeys;
    {
        TestKey key{*m_backend};
        if (m_backend->openKey(rootHandle(root), path, kQueryValue | kEnumerateSubKeys,
                               key.handle) != kSuccess)
            return;
        std::string name;
        for (std::uint32_t i = 0; m_backend->enumKey(key.handle, i, name) == kSuccess; ++i)
            subKeys.push_back(name);
    }
    for (const auto& subKey : subKeys)
        deleteTree(root, path + "\\" + subKey);
    m_backend->deleteKey(rootHandle(root), path);
}

RegistryError raised(const std::function<void()>& action) {
    try {
        action();
    } catch (const RegistryError& e) {
        return e;
    }
    ADD_FAILURE() << "no error";
    return {0, "", ""};
}
