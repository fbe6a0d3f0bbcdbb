#include "LoggerHarness.h"
#include "logger/RegistryAutoStart.h"
#include "logger/registry/PortableBackend.h"
#include "logger/registry/cRegistry.h"

#include <gtest/gtest.h>

using settings::Setting;
using namespace std::string_literals;

namespace {
// The presenter with the real start-at-logon entry, in a registry of the test's own.
class StartWithWindows : public ::testing::Test {
protected:
    registry::cRegistry entry() {
        registry::cRegistry reg("kelvologger", backend);
        RegistryAutoStart::address(reg);
        return reg;
    }
    std::filesystem::path entryFile() const {
        return h.dir / "config/autostart/kelvo-run-kelvo_20logger_20autostart.desktop";
    }
    // Starts with the start-at-logon switch as given and the other settings as by default.
    void start(int state) {
        h.dir.write("loggersettings.txt", settings::fileText({1, 0, 0, 0, 0, state}, "4111"));
        ASSERT_TRUE(presenter.start({}));
    }

    LoggerHarness h;
    registry::PortableBackend backend{h.dir / "config", "kelvologger"};
    const std::string command = "\"" + (h.dir / "kelvologger").string() + "\" /m";
    RegistryAutoStart autoStart{backend, "kelvologger", (h.dir / "kelvologger").string()};
    LoggerPresenter presenter{
        {h.view, h.dialogs, h.socket, h.timer, h.clock, h.lock, h.launcher, autoStart},
        h.dir.path()};
};
} // namespace

TEST_F(StartWithWindows, FirstStartCreatesTheEntryWithTheQuotedPathAndSlashM) {
    ASSERT_TRUE(presenter.start({}));
    EXPECT_EQ(entry().Value(), registry::Variant(command));
    EXPECT_TRUE(std::filesystem::exists(entryFile()));
    EXPECT_TRUE(h.dialogs.shown.empty());
}

TEST_F(StartWithWindows, ClicksChangeTheEntryAndLeaveTheSettingsFile) {
    start(1);
    const auto settingsFile = h.dir.read("loggersettings.txt");
    presenter.clickSwitch(Setting::startwithwindows);
    EXPECT_EQ(entry().Value(), registry::Variant());
    EXPECT_FALSE(std::filesystem::exists(entryFile()));
    presenter.clickSwitch(Setting::startwithwindows);
    EXPECT_EQ(entry().Value(), registry::Variant(command));
    EXPECT_EQ(h.dir.read("loggersettings.txt"), settingsFile);
    EXPECT_TRUE(h.dialogs.shown.empty());
}

TEST_F(StartWithWindows, UncheckingAnEntryRemovedByHandReportsNothing) {
    start(1);
    std::filesystem::remove(entryFile());
    presenter.clickSwitch(Setting::startwithwindows);
    EXPECT_TRUE(h.dialogs.shown.empty());
    EXPECT_FALSE(std::filesystem::exists(entryFile()));
}

TEST_F(StartWithWindows, CheckingKeepsAnEntryWithOtherData) {
    const auto other = "\"/elsewhere/kelvologger\" /m"s;
    entry().Value(other);
    start(0);
    presenter.clickSwitch(Setting::startwithwindows);
    ASSERT_EQ(presenter.switchState(Setting::startwithwindows), 1);
    EXPECT_EQ(entry().Value(), registry::Variant(other));
}

TEST_F(StartWithWindows, AnEntryLeftOverStaysUntilTheNextSave) {
    entry().Value(command);
    start(0);
    EXPECT_EQ(entry().Value(), registry::Variant(command)) << "the loader changed no switch";
    presenter.clickSwitch(Setting::hellos);
    EXPECT_EQ(entry().Value(), registry::Variant());
}

TEST_F(StartWithWindows, AFailureIsToldOnceAndTheLoggerGoesOn) {
    // Where the autostart folder should be, a file stands.
    std::filesystem::create_directories(h.dir / "config");
    h.dir.write("config/autostart", "not a folder");
    start(1);
    presenter.clickSwitch(Setting::hellos);
    ASSERT_EQ(h.dialogs.shown.size(), 1u);
    EXPECT_EQ(h.dialogs.shown[0].text,
              "The start at logon cannot be set up:\r\nFailed to set registry value Key: "
              "'-2147483647',Section: 'Software\\Microsoft\\Windows\\CurrentVersion\\Run',Key: "
              "'Kelvo Logger AutoStart' to value: '" +
                  command + "'");
    EXPECT_FALSE(presenter.ended());
}
