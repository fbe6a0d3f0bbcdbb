#include "LoggerHarness.h"
#include "ScopedEnv.h"

#include <gtest/gtest.h>

// Installed, the logger cannot write its own folder: its settings and logs go to the user's
// data folder, where the viewer looks too, and the viewer is still started from beside it.
TEST(InstalledLogger, KeepsItsFilesInTheUsersDataFolderAndStartsTheViewerBesideItself) {
#ifdef _WIN32
    constexpr const char* kDataVariable = "LOCALAPPDATA";
#else
    constexpr const char* kDataVariable = "XDG_DATA_HOME";
#endif
    LoggerHarness h;
    h.dir.write("file", "");
    const auto programFolder = h.dir / "file" / "bin"; // below a file: no one writes there
    const auto data = h.dir / "data";
    const ScopedEnv env(kDataVariable, data.string());
    const auto files = data / "kelvo";
    std::filesystem::create_directories(files); // as the program does before it starts

    LoggerPresenter logger{h.ports(h.socket), programFolder};
    ASSERT_TRUE(logger.start({}));
    logger.clickSwitch(settings::Setting::signons);
    std::vector<std::string> datagrams{"***[PC7]=Ann"};
    logger.datagramsArrived(datagrams);
    logger.tick();
    logger.viewLogs();
    logger.terminate();

    EXPECT_EQ(logger.filesFolder(), files);
    EXPECT_TRUE(h.dialogs.shown.empty()) << testing::PrintToString(h.dialogs.texts());
    EXPECT_NE(readFile(files / "loggersettings.txt").find("[FILTERSIGNONS       ]=1\r\n"),
              std::string::npos);
    EXPECT_EQ(fileNames(files / "logs"), std::vector<std::string>{"log261205214130.txt"});
    EXPECT_EQ(h.launcher.started, std::vector{programFolder / kViewerProgram});
}
