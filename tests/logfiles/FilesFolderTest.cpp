#include "logfiles/FilesFolder.h"
#include "ScopedEnv.h"
#include "TempDir.h"

#include <gtest/gtest.h>

// Beside the program where its folder can be written; elsewhere in the user's data folder,
// the same for both programs.
TEST(FilesFolder, BesideTheProgramWhereItCanWriteElseInTheUsersDataFolder) {
    TempDir dir;
    dir.write("file", "");
    const auto unwritable = dir / "file" / "bin"; // below a file: not even root writes there
#ifdef _WIN32
    // Windows' branch: the probe file decides, and the user's folder is %LOCALAPPDATA%\kelvo.
    const std::string local = (dir / "local").string();
    const struct {
        std::filesystem::path program;
        std::optional<std::string> localAppData;
        std::filesystem::path expected;
    } cases[] = {
        {dir.path(), local, dir.path()},
        {unwritable, local, dir / "local" / "kelvo"},
        {unwritable, std::nullopt, unwritable}, // nowhere better to go
    };
    for (const auto& c : cases) {
        const ScopedEnv env("LOCALAPPDATA", c.localAppData);
        EXPECT_EQ(logfiles::filesFolder(c.program), c.expected) << c.program;
    }
    EXPECT_TRUE(fileNames(dir.path()) == std::vector<std::string>{"file"}) << "the probe is gone";
#else
    const auto writable = dir.path();
    const std::filesystem::path installed = KELVO_INSTALL_BINDIR;
    const std::string data = (dir / "data").string(), home = (dir / "home").string();
    const auto homeFolder = dir / "home" / ".local" / "share" / "kelvo";
    struct Case {
        std::filesystem::path program;
        std::optional<std::string> xdgDataHome, home;
        std::filesystem::path expected;
    } cases[] = {
        {writable, data, home, writable},
        {unwritable, data, home, dir / "data" / "kelvo"},
        {unwritable, std::nullopt, home, homeFolder},
        {unwritable, "relative/data", home, homeFolder},      // not a valid XDG_DATA_HOME
        {unwritable, std::nullopt, std::nullopt, unwritable}, // nowhere better to go
        // Where the install puts the programs: never there, even when it can be written.
        {installed, data, home, dir / "data" / "kelvo"},
    };
    for (const auto& c : cases) {
        const ScopedEnv xdg("XDG_DATA_HOME", c.xdgDataHome), h("HOME", c.home);
        EXPECT_EQ(logfiles::filesFolder(c.program), c.expected)
            << c.program << " XDG_DATA_HOME=" << c.xdgDataHome.value_or("(unset)");
    }
#endif
}
