#include "LoggerHarness.h"

#include <gtest/gtest.h>

using settings::Setting;

namespace {
const std::string kDefaultFile =
    "[FILTERMESSAGES      ]=1\r\n[FILTERSIGNONS       ]=0\r\n[FILTERSIGNOFFS      ]=0\r\n"
    "[FILTERHELLOS        ]=0\r\n[FILTERJUNK          ]=0\r\n[STARTWITHWINDOWS    ]=1\r\n"
    "[UDPPORT             ]=4111\r\n";

// The switches in the order of the file, one digit each: "100001".
std::string switchesOf(const LoggerPresenter& p) {
    std::string s;
    for (std::size_t i = 0; i < settings::kSwitchCount; ++i)
        s += static_cast<char>('0' + p.switchState(static_cast<Setting>(i)));
    return s;
}
} // namespace

TEST(Settings, FirstStartWritesTheDefaultFileAndAppliesIt) {
    LoggerHarness h;
    h.presenter.start({});
    EXPECT_EQ(h.dir.read("loggersettings.txt"), kDefaultFile);
    EXPECT_EQ(switchesOf(h.presenter), "100001");
    EXPECT_EQ(h.presenter.udpport(), "4111");
    EXPECT_EQ(h.socket.bound, std::vector<std::int64_t>{4111});
    // Loading turned the start-at-logon switch on, which brings its entry into line.
    EXPECT_EQ(h.autoStart.syncs, std::vector<int>{1});
}

TEST(Settings, ReaderAppliesRecordsOneByOne) {
    const std::tuple<std::string, const char*, const char*> cases[] = {
        // Records in another order, with unknown lines between.
        {"hello\r\n[UDPPORT             ]=6000\r\n[FILTERJUNK          ]=1\r\n"
         "[SOMETHINGELSE       ]=1\r\n[FILTERMESSAGES      ]=0\r\n",
         "000010", "6000"},
        // A key twice: the last wins.
        {"[FILTERHELLOS        ]=1\r\n[FILTERHELLOS        ]=0\r\n[FILTERHELLOS        ]=2\r\n",
         "100200", "4111"},
        // A comma ends a record; blanks before a record are skipped.
        {"[FILTERSIGNONS       ]=1,   [FILTERSIGNOFFS      ]=1\r\n", "111000", "4111"},
        // The key alone, an unpadded name and a lower-case key are skipped.
        {"[UDPPORT             ]=\r\n[UDPPORT]=7000\r\n[filterjunk          ]=1\r\n", "100000",
         "4111"},
        // Switch values rounded half to even, with blanks around.
        {"[FILTERSIGNONS       ]= 1.5 \r\n[FILTERHELLOS        ]=2.5\r\n"
         "[FILTERJUNK          ]=0.5\r\n",
         "120200", "4111"},
        // Values that are no state leave the switch as it was.
        {"[FILTERMESSAGES      ]=-5\r\n[FILTERSIGNONS       ]=7\r\n"
         "[FILTERSIGNOFFS      ]=1e309\r\n[FILTERHELLOS        ]=abc\r\n"
         "[FILTERJUNK          ]=1x\r\n",
         "100000", "4111"},
        // No final line end, and bare LF line ends from another editor.
        {"[FILTERJUNK          ]=1\n[UDPPORT             ]=5000", "100010", "5000"},
        // Binary junk.
        {std::string("\0\xff\r\n[UDPPORT             ]=\0\x01,\r\r\n\x80", 34), "100000", "0"},
    };
    for (const auto& [file, switches, port] : cases) {
        SCOPED_TRACE(file);
        LoggerHarness h;
        h.dir.write("loggersettings.txt", file);
        h.presenter.loadsettings();
        EXPECT_EQ(switchesOf(h.presenter), switches);
        EXPECT_EQ(h.presenter.udpport(), port);
        EXPECT_EQ(h.dir.read("loggersettings.txt"), file) << "loading never writes";
    }
}

TEST(Settings, PortValueIsItsLeadingNumber) {
    const std::pair<const char*, const char*> cases[] = {
        {"6000", "6000"},   {"5000abc", "5000"}, {"abc", "0"},   {" 6 0 0 0", "6000"},
        {"4111.0", "4111"}, {"12.5", "12.5"},    {"&h1F", "31"}, {"-7", "-7"},
        {"1e3x", "1000"},   {"", "0"},           {"1e999", "0"}, {"+42", "42"},
    };
    for (const auto& [value, shown] : cases)
        EXPECT_EQ(settings::portText(value), shown) << value;
}

TEST(Settings, ClicksSaveTheWholeFileButTheStartAtLogonSwitchOnlyItsEntry) {
    LoggerHarness h;
    h.dir.write("loggersettings.txt",
                "[UDPPORT             ]= 6000 \r\n[FILTERJUNK          ]=2\r\n");
    h.presenter.start({});
    const auto saved = settings::fileText({1, 0, 0, 1, 2, 0}, "6000");
    h.presenter.clickSwitch(Setting::hellos);
    EXPECT_EQ(h.dir.read("loggersettings.txt"), saved);
    EXPECT_EQ(h.autoStart.syncs, std::vector<int>{0}) << "every save brings the entry into line";
    h.presenter.clickSwitch(Setting::startwithwindows);
    EXPECT_EQ(h.autoStart.syncs, (std::vector<int>{0, 1}));
    EXPECT_EQ(h.dir.read("loggersettings.txt"), saved);
    h.presenter.clickSwitch(Setting::hellos);
    EXPECT_EQ(h.presenter.switchState(Setting::hellos), 0);
}

TEST(Settings, AStartAtLogonEntryThatCannotBeSetIsToldOnce) {
    LoggerHarness h;
    h.autoStart.failure = "denied";
    h.presenter.start({}); // the default file turns the switch on
    h.presenter.clickSwitch(Setting::hellos);
    EXPECT_EQ(h.dialogs.texts(),
              std::vector<std::string>{"The start at logon cannot be set up:\r\ndenied"});
    EXPECT_FALSE(h.presenter.ended());
}

TEST(Settings, UnwritableFileIsReportedOnceAndTheLoggerGoesOn) {
    LoggerHarness h;
    h.dir.write("loggersettings.txt", kDefaultFile);
    h.presenter.start({});
    // A folder where the new file is written first makes every write fail, even for root.
    std::filesystem::create_directory(h.dir / "loggersettings.txt.kelvotmp");
    h.presenter.clickSwitch(Setting::junk);
    h.presenter.clickSwitch(Setting::hellos);
    ASSERT_EQ(h.dialogs.shown.size(), 1u);
    EXPECT_TRUE(h.dialogs.shown[0].text.starts_with("The settings cannot be saved:\r\n"));
    EXPECT_EQ(h.presenter.switchState(Setting::junk), 1);
    EXPECT_EQ(h.dir.read("loggersettings.txt"), kDefaultFile) << "the old file stays whole";

    std::filesystem::remove(h.dir / "loggersettings.txt.kelvotmp");
    h.presenter.clickSwitch(Setting::junk);
    EXPECT_EQ(h.dir.read("loggersettings.txt"), settings::fileText({1, 0, 0, 1, 0, 1}, "4111"));
    std::filesystem::create_directory(h.dir / "loggersettings.txt.kelvotmp");
    h.presenter.clickSwitch(Setting::junk);
    EXPECT_EQ(h.dialogs.shown.size(), 2u) << "told again after a save that worked";
}

TEST(Settings, OversizedFileIsRefusedAndTheDefaultsApply) {
    LoggerHarness h;
    h.dir.write("loggersettings.txt",
                std::string(2 << 20, 'x') + "\r\n[UDPPORT             ]=5000\r\n");
    h.presenter.loadsettings();
    ASSERT_EQ(h.dialogs.shown.size(), 1u);
    EXPECT_EQ(h.presenter.udpport(), "4111");
}
