#include "ViewerFixture.h"

#include "viewer/AllFilesSearch.h"

// Rows in list order; each press gives the row it stops at and the notice.
struct Press {
    std::size_t row;
    const char* notice;
};

class SearchAllFiles : public ViewerTest {
protected:
    // Writes the logs so that row i holds text i, and searches for "needle".
    void writeLogs(std::initializer_list<const char*> texts) {
        int second = 59;
        for (const char* text : texts)
            write("log0708121530" + std::to_string(second--) + ".txt", text);
        start();
        viewer->changeSearchText("needle");
    }
    void expectPresses(std::initializer_list<Press> presses) {
        for (const auto& p : presses) {
            viewer->searchAllFiles();
            SCOPED_TRACE(testing::Message() << "press ending on row " << p.row);
            EXPECT_EQ(viewer->selectedRow(), p.row);
            EXPECT_EQ(view.scrolledTo.back(), p.row);
            EXPECT_EQ(viewer->label3(), p.notice);
            EXPECT_EQ(viewer->filename(), viewer->rows()[p.row].path);
            EXPECT_EQ(viewer->shown().marks().empty(), !std::string_view(p.notice).empty());
            EXPECT_TRUE(view.listAndTextShown && view.busy == 0 && view.hiddenWhileBusy);
        }
    }
};

// (s, continue flag, notice) to the start row, rows from 0 of 4; the keyboard can move the
// selection to the last row while the flag is set.
TEST(StartRow, FollowsNoticeFlagAndSelection) {
    const std::tuple<std::optional<std::size_t>, bool, const char*, std::size_t> cases[] = {
        {1, true, "Not Found ", 0},
        {1, true, "", 2},
        {3, true, "", 3},
        {0, true, "", 1},
        {1, false, "Not Found", 1},
        {3, false, "", 0},
        {std::nullopt, false, "", 0}};
    for (const auto& [s, flag, notice, start] : cases)
        EXPECT_EQ(viewer::startRow(s, 4, flag, notice), start) << s.value_or(9) << flag << notice;
}

TEST_F(SearchAllFiles, PressesStepThroughTheRows) {
    const struct {
        std::initializer_list<const char*> logs;
        std::size_t opened; // the row opened from the list before the first press
        std::initializer_list<Press> presses;
    } scenarios[] = {
        {{"A needle", "B", "C NEEDLE"}, 0, {{0, ""}, {2, ""}, {0, ""}, {2, ""}}},
        {{"A needle", "B"}, 0, {{0, ""}, {1, "Not Found "}, {0, ""}}},
        {{"A", "B", "C"}, 0, {{2, "Not Found "}, {2, "Not Found "}}},
        {{"needle"}, 0, {{0, ""}, {0, ""}}},
        {{"other"}, 0, {{0, "Not Found "}, {0, "Not Found "}}},
        // "Not Found" left by the search as you type does not start over.
        {{"needle", "B", "C"}, 1, {{2, "Not Found "}, {0, ""}}},
    };
    for (const auto& scenario : scenarios) {
        std::filesystem::remove_all(logs);
        std::filesystem::create_directory(logs);
        writeLogs(scenario.logs);
        open(scenario.opened);
        expectPresses(scenario.presses);
    }
    EXPECT_EQ(viewer->rr(), "1");
    EXPECT_EQ(viewer->shown().text(), "needle\r\n");
}

TEST_F(SearchAllFiles, ReadsTheCurrentLogAfreshAndKeepsItsDeleteDisabled) {
    write("logtemp.txt", "nothing here");
    start();
    viewer->changeSearchText("needle");
    write("logtemp.txt", "logged since: needle");
    expectPresses({{0, ""}});
    viewer->changeSearchText("absent");
    expectPresses({{0, "Not Found "}});
    expectHeader("logtemp.txt", false);
    EXPECT_EQ(viewer->shown().text(), "logged since: needle\r\n");
}

TEST_F(SearchAllFiles, AfterRefreshStartsAtTheFirstRowAndSkipsUnreadableLogs) {
    writeLogs({"A", "B needle", "C needle"});
    open(0);
    viewer->refresh();
    std::filesystem::remove(viewer->rows()[1].path);
    expectPresses({{2, ""}});
    EXPECT_TRUE(dialogs.shown.empty());
}
