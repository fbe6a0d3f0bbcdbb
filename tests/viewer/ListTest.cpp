#include "ViewerFixture.h"

#include "viewer/LogRows.h"

using Strings = std::vector<std::string>;

TEST(RowTexts, DateAndTimeComeFromTheName) {
    const EnglishDateNames names;
    const viewer::RowMaker maker(names);
    const Strings cases[] = {
        {"log070812153045.txt", "Aug 12, 07 (Sun)", "03:30 pm"},
        {"log070101000000.txt", "Jan 01, 07 (Mon)", "12:00 am"},
        {"log071231120000.txt", "Dec 31, 07 (Mon)", "12:00 pm"},
        {"logtemp.txt", "Current Log", "-----------"},
        // Outside the naming: still a row, saying it carries no date.
        {"LOGTEMP.TXT", "No date in name", "-----------"},
        {"notes.txt", "No date in name", "-----------"},
        {"log070230120000.txt", "No date in name", "-----------"},
        {"log07081215304.txt", "No date in name", "-----------"},
        {"log071305214130.txt", "No date in name", "-----------"},
        {"log071205244130.txt", "No date in name", "-----------"},
        {"log0712052141x0.txt", "No date in name", "-----------"},
        {"xyz070812153045.txt", "No date in name", "-----------"},
    };
    for (const auto& c : cases) {
        const auto row = maker.row("/f", c[0]);
        EXPECT_EQ((Strings{c[0], row.dateText, row.timeText}), c);
    }
}

TEST_F(ViewerTest, ListsTxtFilesInDescendingOrderOfName) {
    for (const char* name : {"log070101000000.txt", "logtemp.txt", "log071231120000.txt",
                             "alpha.TXT", "Zeta.txt", "notes.doc", "txt", "log.txt.bak"})
        write(name, "x\r\n");
    std::filesystem::create_directory(logs / "folder.txt");
    start();
    Strings seen;
    for (const auto& r : viewer->rows())
        seen.push_back(r.path.filename().string() + " " + r.dateText + " " + r.timeText);
    EXPECT_EQ(seen, (Strings{"Zeta.txt No date in name -----------",
                             "logtemp.txt Current Log -----------",
                             "log071231120000.txt Dec 31, 07 (Mon) 12:00 pm",
                             "log070101000000.txt Jan 01, 07 (Mon) 12:00 am",
                             "alpha.TXT No date in name -----------"}));
    EXPECT_EQ(viewer->selectedRow(), 0u);
}

TEST_F(ViewerTest, RefreshShowsNothingAndKeepsFilename) {
    write("log070812153045.txt", "a\r\n");
    start();
    write("log080812153045.txt", "b\r\n");
    viewer->changeSearchText("zzz");
    viewer->refresh();
    EXPECT_EQ(viewer->rows().front().dateText, "Aug 12, 08 (Tue)");
    expectNothingShown();
    EXPECT_EQ(viewer->label3(), "");
    EXPECT_EQ(viewer->filename().filename(), "log070812153045.txt");
    std::filesystem::remove_all(logs);
    viewer->refresh();
    EXPECT_TRUE(view.quit);
    EXPECT_EQ(dialogs.texts().back().substr(0, 20), "Log files not found.");
}

// The start opens the first row; the header and Delete follow the name of what is shown.
TEST_F(ViewerTest, StartOpensTheFirstRowAndHeaderAndDeleteFollowTheName) {
    start();
    expectNothingShown();
    const auto other = dir / "old logtemp.txt copies" / "logs";
    std::filesystem::create_directories(other);
    dir.write("old logtemp.txt copies/logs/log070812153045.txt", "x");
    for (const char* name : {"log070812153045.txt", "a.txt", "0logtemp.txt"})
        write(name, "");
    write("logtemp.txt", "current");
    start();
    EXPECT_EQ(viewer->text1(), "current\r\n");
    EXPECT_EQ(viewer->label3(), "");
    EXPECT_EQ(viewer->label4(), "v1.0.4");
    EXPECT_TRUE(dialogs.shown.empty());
    const auto path = (logs / "a.txt").string(), near = (logs / "0logtemp.txt").string();
    // Only the name "logtemp.txt" itself is the current log, as in the list.
    const std::pair<std::string, bool> cases[] = {{"logtemp.txt", false},
                                                  {"log070812153045.txt", true},
                                                  {path.substr(path.size() - 19), true},
                                                  {near.substr(near.size() - 19), true}};
    for (std::size_t row = 0; row < 4; ++row) {
        open(row);
        expectHeader(cases[row].first, cases[row].second);
        EXPECT_EQ(viewer->filename(), viewer->rows()[row].path);
    }
    start(other); // a folder's name does not make its archives the current log
    EXPECT_EQ(viewer->rows().front().dateText, "Aug 12, 07 (Sun)");
    expectHeader("log070812153045.txt", true);
}
