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
    std::string entryText() const {
        return m_temp.read(fs::relative(entryFile(), m_temp.path()).string());
    }

    RegistryAutoStart m_autoStart;
};

TEST_F(RegistryAutoStartTest, CheckedWritesTheQuotedPathWithSlashMOnlyWhenThereIsNone) {
    EXPECT_EQ(m_autoStart.sync(1), std::nullopt);
    EXPECT_EQ(runEntry().Value(), Variant(std::string(kCommand)));
    EXPECT_NE(entryText().find("\nExec=\"/opt/kelvo apps/kelvologger\" /m\n"), std::string::npos)
        << entryText();

    runEntry().Value("\"/elsewhere/kelvologger\" /m"s);
    const auto before = entryText();
    EXPECT_EQ(m_autoStart.sync(1), std::nullopt);
    EXPECT_EQ(entryText(), before) << "an entry that is there is kept, whatever it names";
}

TEST_F(RegistryAutoStartTest, UncheckedDeletesTheEntryOnlyWhenThereIsOne) {
    runEntry().Value("\"/elsewhere/kelvologger\" /m"s);
    EXPECT_EQ(m_autoStart.sync(0), std::nullopt);
    EXPECT_FALSE(fs::exists(entryFile()));
    EXPECT_EQ(runEntry().Value(), Variant());
    EXPECT_TRUE(runEntry().KeyExists()) << "the Run key stays";

    EXPECT_EQ(m_autoStart.sync(0), std::nullopt) << "nothing to delete is no error";
    EXPECT_FALSE(fs::exists(entryFile()));
}

TEST_F(RegistryAutoStartTest, GreyedChangesNothing) {
    EXPECT_EQ(m_autoStart.sync(2), std::nullopt);
    EXPECT_FALSE(fs::exists(entryFile()));
    runEntry().Value("kept"s);
    EXPECT_EQ(m_autoStart.sync(2), std::nullopt);
    EXPECT_EQ(runEntry().Value(), Variant("kept"s));
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
    const auto store = configHome() / kProgram;
    fs::create_directories(store / "registry");
    m_temp.write("config/kelvotest/registry/HKEY_CURRENT_USER.hive", "damaged");
    EXPECT_EQ(m_autoStart.sync(1), description);
    EXPECT_EQ(m_autoStart.sync(0), std::nullopt) << "nothing could be read, so nothing is deleted";
}
