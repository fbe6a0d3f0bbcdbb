#include "ViewerFixture.h"

#include "logfiles/LogNames.h"
#include "viewer/LogRows.h"

using Strings = std::vector<std::string>;

TEST(RowTexts, DateAndTimeComeFromTheName) {
    const EnglishDateNames names;
    const viewer::RowMaker maker(names);
    const struct {
        const char* name;
        const char* date;
        const char* time;
    } cases[] = {
        {"log070812153045.txt", "Aug 12, 07 (Sun)", "03:30 pm"},
        {"log070101000000.txt", "Jan 01, 07 (Mon)", "12:00 am"},
        {"log071231120000.txt", "Dec 31, 07 (Mon)", "12:00 pm"},
        {"log261205000159.txt", "Dec 05, 26 (Sat)", "12:01 am"},
        {"logtemp.txt", "Current Log", "-----------"},
        // Outside the naming: still a row, saying it carries no date.
        {"LOGTEMP.TXT", "No date in name", "-----------"},
        {"notes.txt", "No date in name", "-----------"},
        {"log071332000000.txt", "No date in name", "-----------"},
        {"log070230120000.txt", "No date in name", "-----------"},
        {"log07081215304.txt", "No date in name", "-----------"},
        {"logABCDEF123456.txt", "No date in name", "-----------"},
    };
    for (const auto& c : cases) {
        const auto row = maker.row("/f", c.name);
        EXPECT_EQ(row.dateText, c.date) << c.name;
        EXPECT_EQ(row.timeText, c.time) << c.name;
        EXPECT_EQ(row.path, std::filesystem::path("/f") / c.name);
    }
}

TEST_F(ViewerTest, ListsTxtFilesInDescendingOrderOfName) {
    for (const char* name : {"log070101000000.txt", "logtemp.txt", "log071231120000.txt",
                             "alpha.TXT", "Zeta.txt", "notes.doc", "txt", "log.txt.bak"})
        write(name, "x\r\n");
    std::filesystem::create_directory(logs / "folder.txt");
    start();
    EXPECT_EQ(column(true), (Strings{"No date in name", "Current Log", "Dec 31, 07 (Mon)",
                                     "Jan 01, 07 (Mon)", "No date in name"}));
    EXPECT_EQ(column(false),
              (Strings{"-----------", "-----------", "12:00 pm", "12:00 am", "-----------"}));
    EXPECT_EQ(viewer->rows().front().path, logs / "Zeta.txt");
    EXPECT_EQ(viewer->selectedRow(), 0u);
}

TEST_F(ViewerTest, StartOpensTheFirstRow) {
    write("log070812153045.txt", "archived\r\n");
    start();
    EXPECT_EQ(viewer->label1(), " Messages in log file: log070812153045.txt");
    EXPECT_TRUE(viewer->deleteEnabled());
    EXPECT_EQ(viewer->shown().text(), "archived\r\n");
    EXPECT_EQ(viewer->label3(), "");
    EXPECT_EQ(viewer->label4(), "v1.0.4");

    write("logtemp.txt", "current");
    viewer->refresh();
    EXPECT_EQ(column(true), (Strings{"Current Log", "Aug 12, 07 (Sun)"}));
    start();
    EXPECT_EQ(viewer->label1(), " Messages in log file: logtemp.txt");
    EXPECT_FALSE(viewer->deleteEnabled());
    EXPECT_EQ(viewer->text1(), "current\r\n");
}

TEST_F(ViewerTest, StartWithAnEmptyFolderShowsNothing) {
    start();
    EXPECT_TRUE(viewer->rows().empty());
    EXPECT_FALSE(viewer->selectedRow());
    EXPECT_EQ(viewer->label1(), "No file selected");
    EXPECT_FALSE(viewer->deleteEnabled());
    EXPECT_TRUE(dialogs.texts.empty());
    EXPECT_FALSE(view.quit);
}

TEST_F(ViewerTest, StartEndsWithoutLogsFolderOrWhenAlreadyRunning) {
    std::filesystem::remove(logs);
    start();
    EXPECT_TRUE(viewer->ended());
    EXPECT_EQ(dialogs.texts.back(),
              "Log files not found.\r\nKelvo Log file viewer must be run from the Kelvo Directory");
    EXPECT_TRUE(view.windowShown);
    EXPECT_TRUE(view.quit && viewer->ended());

    view = {};
    lock.free = false;
    start();
    EXPECT_EQ(dialogs.texts.back(), "Kelvo Kelvo Log Viewer v1.0.4\r\nis already running.");
    EXPECT_TRUE(view.quit);
    EXPECT_FALSE(view.windowShown);
}

TEST_F(ViewerTest, RefreshShowsNothingAndKeepsFilename) {
    write("log070812153045.txt", "a\r\n");
    start();
    write("log080812153045.txt", "b\r\n");
    viewer->changeSearchText("zzz");
    ASSERT_EQ(viewer->label3(), "Not Found");
    viewer->refresh();
    EXPECT_EQ(column(true), (Strings{"Aug 12, 08 (Tue)", "Aug 12, 07 (Sun)"}));
    EXPECT_FALSE(viewer->selectedRow());
    EXPECT_EQ(viewer->label1(), "No file selected");
    EXPECT_EQ(viewer->label3(), "");
    EXPECT_FALSE(viewer->deleteEnabled());
    EXPECT_TRUE(viewer->shown().empty() && viewer->text1().empty());
    EXPECT_EQ(shownName(), "log070812153045.txt");

    std::filesystem::remove_all(logs);
    viewer->refresh();
    EXPECT_TRUE(view.quit);
    EXPECT_EQ(dialogs.texts.back().substr(0, 20), "Log files not found.");
}
