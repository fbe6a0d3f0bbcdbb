#include "RegistryFixture.h"

#include "logger/RegistryAutoStart.h"

using namespace registry;
using namespace std::string_literals;
namespace fs = std::filesystem;

class RegistryAutoStartTest : public RegistryTest {
protected:
    static constexpr const char* kCommand = "\"/opt/kelvo apps/kelvologger\" /m";

    RegistryAutoStartTest()
        : m_autoStart(backend(), "kelvologger", "/opt/kelvo apps/kelvologger") {}

    registry::cRegistry runEntry() {
        registry::cRegistry reg(kProgram, backend());
        RegistryAutoStart::address(reg);
        return reg;
    }
    fs::path entryFile() const {
        return configHome() / "autostart" / "kelvo-run-kelvo_20logger_20autostart.desktop";
    }

    RegistryAutoStart m_autoStart;
};

TEST_F(RegistryAutoStartTest, CheckedWritesThisProgramsCommandUncheckedDeletesTheEntry) {
    const auto other = "\"/elsewhere/kelvologger\" /m"s;
    struct Case {
        std::optional<std::string> before;
        int state;
        std::optional<std::string> after;
    } cases[] = {
        {std::nullopt, 1, kCommand}, // the quoted path with /m
        {other, 1, kCommand},        // one that names another folder is corrected
        {other, 0, std::nullopt},
        {std::nullopt, 0, std::nullopt}, // nothing to delete is no error
        {std::nullopt, 2, std::nullopt}, // greyed changes nothing
        {other, 2, other},
    };
    for (const auto& c : cases) {
        fs::remove(entryFile());
        if (c.before) runEntry().Value(*c.before);
        EXPECT_EQ(m_autoStart.sync(c.state), std::nullopt);
        EXPECT_EQ(runEntry().Value(), c.after ? Variant(*c.after) : Variant())
            << c.state << " " << c.before.value_or("(none)");
        EXPECT_EQ(fs::exists(entryFile()), c.after.has_value());
    }
    EXPECT_TRUE(runEntry().KeyExists()) << "the Run key stays";
}

TEST_F(RegistryAutoStartTest, FailuresAreReturnedNotThrown) {
    const auto description = "Failed to set registry value Key: '-2147483647',Section: "
                             "'Software\\Microsoft\\Windows\\CurrentVersion\\Run',Key: 'Kelvo "
                             "Logger AutoStart' to value: '"s +
                             kCommand + "'";
    // Where the autostart folder should be, a file stands.
    fs::create_directories(configHome());
    m_temp.write("config/autostart", "not a folder");
    EXPECT_EQ(m_autoStart.sync(1), description);

    // The user's registry file is damaged: the Run key cannot even be opened for writing.
    fs::remove(configHome() / "autostart");
    fs::create_directories(configHome() / kProgram / "registry");
    m_temp.write("config/kelvotest/registry/HKEY_CURRENT_USER.hive", "damaged");
    EXPECT_EQ(m_autoStart.sync(1), description);
    EXPECT_EQ(m_autoStart.sync(0), std::nullopt) << "nothing could be read, so nothing is deleted";
}
