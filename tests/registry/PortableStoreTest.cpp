#include "RegistryFixture.h"

#include "logger/registry/PortableBackend.h"
#include "logger/registry/SystemRegistry.h"

using namespace registry;
using namespace std::string_literals;
namespace fs = std::filesystem;

class PortableStoreTest : public RegistryTest {
protected:
    fs::path hiveFile() const {
        return configHome() / kProgram / "registry" / "HKEY_CURRENT_USER.hive";
    }
};

// Length-counted records: another object reads every byte of names and data back.
TEST_F(PortableStoreTest, AnotherObjectSeesEveryByteOfNamesAndData) {
    const std::string all = everyByte();
    const auto name = "line\r\nbreak\0nul %41 \\ end"s;
    store(section() + "\\Sub key", name, 0x12345, all);
    PortableBackend other(configHome(), kProgram);
    cRegistry reg(kProgram, other);
    const auto read = reg.ValueEx(kCurrentUser, section() + "\\SUB KEY", name, kNone, {});
    EXPECT_EQ(read, Variant(Bytes(all.begin(), all.end())));
    EXPECT_EQ(reg.ValueType(), 0x12345);
    EXPECT_EQ(fileNames(hiveFile().parent_path()),
              std::vector<std::string>{"HKEY_CURRENT_USER.hive"})
        << "no temporary file is left behind";
}

TEST_F(PortableStoreTest, ADamagedFileIsAnErrorAndIsNeverEmptied) {
    const std::string damages[] = {
        "not a registry at all",
        "kelvo-registry 2\nkey 0:\n",
        "kelvo-registry 1\nkey 99:short\n",
        "kelvo-registry 1\nvalue 1 1:a 2:b\0\n"s,
        "kelvo-registry 1\nkey 0:\nkey 1:A\nkey 1:a\n",
        "kelvo-registry 1\nkey 0:\nvalue 1 1:a 2:b\0\nvalue 1 1:A 2:c\0\n"s,
        "kelvo-registry 1\nkey 0:\nvalue x 1:a 2:b\0\n"s,
        "kelvo-registry 1\nkey 0:\nvalue 1 1:a 2:b\0"s,
        "kelvo-registry 1\nkey 0:\nkeep 1:a\n",
    };
    for (const auto& damaged : damages) {
        fs::create_directories(hiveFile().parent_path());
        m_temp.write("config/kelvotest/registry/HKEY_CURRENT_USER.hive", damaged);
        auto reg = entry("v");
        reg.Default("unread"s);
        EXPECT_EQ(reg.Value(), Variant("unread"s)) << damaged;
        EXPECT_EQ(raised([&] { reg.Value("new"s); }).number(), 26001) << damaged;
        EXPECT_THROW(reg.DeleteValue(), RegistryError) << damaged;
        EXPECT_EQ(readFile(hiveFile()), damaged);
    }
}

TEST_F(PortableStoreTest, AFailedWriteKeepsTheOldFile) {
    entry("v").Value("old"s);
    const auto before = readFile(hiveFile());
    // The temporary file cannot be made where a folder of its name stands.
    fs::create_directory(hiveFile().string() + ".kelvotmp");
    EXPECT_EQ(raised([&] { entry("v").Value("new"s); }).number(), -2147194455);
    EXPECT_EQ(readFile(hiveFile()), before);
    EXPECT_EQ(entry("v").Value(), Variant("old"s));
}

TEST_F(PortableStoreTest, LetterCaseFoldsForWindows1252Letters) {
    entry("\xC4rger", kString, "\xE9t\xE9").Value("1"s); // Ärger under été
    EXPECT_EQ(entry("\xE4RGER", kString, "\xC9T\xC9").Value(), Variant("1"s));
    for (const auto* name : {"zebra", "Apple", "mango"})
        entry("", kString, name).CreateKey();
    std::vector<std::string> names;
    long count = 0;
    ASSERT_TRUE(entry("").EnumerateSections(names, count));
    EXPECT_EQ(names, (std::vector<std::string>{"Apple", "mango", "zebra", "\xE9t\xE9"}));
}

TEST_F(PortableStoreTest, TheRunKeyIsAlwaysThereAndCannotBeDeleted) {
    cRegistry reg(kProgram, backend());
    reg.ClassKey(kCurrentUser);
    for (const auto* path : {"Software\\Microsoft\\Windows\\CurrentVersion\\Run",
                             "SOFTWARE\\MICROSOFT\\WINDOWS\\CURRENTVERSION\\RUN\\", "Software"}) {
        reg.SectionKey(path);
        EXPECT_TRUE(reg.KeyExists()) << path;
        EXPECT_THROW(reg.DeleteKey(), RegistryError) << path;
    }
}

TEST_F(PortableStoreTest, NoOtherComputerIsReached) {
    entry("v").Value("local"s);
    auto reg = entry("v");
    reg.Machine("elsewhere");
    reg.Default("not reached"s);
    EXPECT_EQ(reg.Value(), Variant("not reached"s));
    EXPECT_THROW(reg.Value("remote"s), RegistryError);
    EXPECT_EQ(entry("v").Value(), Variant("local"s));
}

TEST_F(PortableStoreTest, TheUsersRegistryLivesInTheirConfigurationFolder) {
    const ScopedEnv home("HOME", (m_temp / "home").string());
    // A relative XDG_CONFIG_HOME is no valid one and leaves the default.
    const std::pair<std::optional<std::string>, fs::path> cases[] = {
        {(m_temp / "xdg").string(), m_temp / "xdg"},
        {"relative", m_temp / "home" / ".config"},
        {std::nullopt, m_temp / "home" / ".config"},
    };
    for (const auto& [variable, folder] : cases) {
        const ScopedEnv config("XDG_CONFIG_HOME", variable);
        const auto system = systemRegistry("kelvotest");
        cRegistry reg(kProgram, *system);
        reg.ValueEx(kCurrentUser, "Software\\K", "v", kString, {}, "x"s);
        EXPECT_TRUE(fs::exists(folder / "kelvotest" / "registry" / "HKEY_CURRENT_USER.hive"))
            << folder;
        fs::remove_all(folder);
    }
}
