#include "ViewerFixture.h"

#include "viewer/AllFilesSearch.h"

// Rows in list order; each press gives the row it stops at and the notice.
struct Press {
    std::size_t row;
    const char* notice;
};

class SearchAllFiles : public ViewerTest {
protected:
    // Writes the logs so that row i holds text i, and opens the first row.
    void logs(std::initializer_list<const char*> texts) {
        int second = 59;
        for (const char* text : texts)
            write("log0708121530" + std::to_string(second--) + ".txt", text);
        start();
        open(0);
        viewer->changeSearchText("needle");
    }
    void expectPresses(std::initializer_list<Press> presses) {
        int i = 0;
        for (const auto& p : presses) {
            viewer->searchAllFiles();
            ++i;
            EXPECT_EQ(viewer->selectedRow(), p.row) << "press " << i;
            EXPECT_EQ(viewer->label3(), p.notice) << "press " << i;
            EXPECT_EQ(viewer->filename(), viewer->rows()[p.row].path) << "press " << i;
            const bool hit = std::string_view(p.notice).empty();
            EXPECT_EQ(viewer->shown().marks().empty(), !hit) << "press " << i;
            EXPECT_EQ(view.scrolledTo.back(), p.row);
            EXPECT_TRUE(view.listAndTextShown);
            EXPECT_EQ(view.busy, 0);
        }
        EXPECT_TRUE(view.hiddenWhileBusy);
    }
};

TEST(StartRow, FollowsNoticeFlagAndSelection) {
    const struct {
        const char* notice;
        bool continueFlag;
        std::optional<std::size_t> selected;
        std::size_t start;
    } cases[] = {{"Not Found ", true, 1, 0}, {"", true, 1, 2},           {"", true, 3, 3},
                 {"Not Found", false, 1, 1}, {"", false, 3, 0},          {"", false, {}, 0},
                 {"", true, 0, 1},           {"Not Found ", false, 2, 0}};
    for (const auto& c : cases)
        EXPECT_EQ(viewer::startRow(c.selected, 4, c.continueFlag, c.notice), c.start)
            << '"' << c.notice << '"' << c.continueFlag << c.selected.value_or(99);
}

TEST_F(SearchAllFiles, StepsThroughTheLogsThatHoldIt) {
    logs({"A needle", "B", "C NEEDLE"});
    expectPresses({{0, ""}, {2, ""}, {0, ""}, {2, ""}});
    EXPECT_FALSE(viewer->check2());
    EXPECT_EQ(viewer->shown().text(), "C NEEDLE\r\n");
}

TEST_F(SearchAllFiles, EndsOnTheLastRowUnmarkedThenStartsOver) {
    logs({"A needle", "B"});
    expectPresses({{0, ""}, {1, "Not Found "}, {0, ""}});
    EXPECT_TRUE(viewer->check2());
    EXPECT_EQ(viewer->rr(), "1");
}

TEST_F(SearchAllFiles, NoLogHoldsIt) {
    logs({"A", "B", "C"});
    expectPresses({{2, "Not Found "}, {2, "Not Found "}});
    EXPECT_EQ(viewer->shown().text(), "C\r\n");
    EXPECT_EQ(viewer->label1(), " Messages in log file: log070812153057.txt");
    EXPECT_TRUE(viewer->deleteEnabled());
}

TEST_F(SearchAllFiles, SingleRow) {
    logs({"needle"});
    expectPresses({{0, ""}, {0, ""}});
    viewer->changeSearchText("other");
    expectPresses({{0, "Not Found "}});
}

TEST_F(SearchAllFiles, NoticeWithoutBlankDoesNotStartOver) {
    logs({"needle", "B", "C"});
    open(1);
    ASSERT_EQ(viewer->label3(), "Not Found");
    expectPresses({{2, "Not Found "}, {0, ""}});
}

TEST_F(SearchAllFiles, CurrentLogOnlyKeepsDeleteDisabled) {
    write("logtemp.txt", "nothing here");
    start();
    viewer->changeSearchText("needle");
    write("logtemp.txt", "logged since: needle");
    viewer->searchAllFiles();
    EXPECT_EQ(viewer->label3(), "");
    EXPECT_EQ(viewer->shown().text(), "logged since: needle\r\n");
    viewer->changeSearchText("absent");
    viewer->searchAllFiles();
    EXPECT_EQ(viewer->label3(), "Not Found ");
    EXPECT_EQ(viewer->label1(), " Messages in log file: logtemp.txt");
    EXPECT_FALSE(viewer->deleteEnabled());
}

TEST_F(SearchAllFiles, AfterRefreshStartsAtTheFirstRowAndSkipsUnreadableLogs) {
    logs({"A", "B needle", "C needle"});
    viewer->refresh();
    std::filesystem::remove(viewer->rows()[1].path);
    expectPresses({{2, ""}});
    EXPECT_TRUE(dialogs.texts.empty());
}

TEST_F(SearchAllFiles, EmptySearchTextDoesNothing) {
    logs({"A"});
    viewer->changeSearchText("");
    viewer->searchAllFiles();
    EXPECT_EQ(viewer->rr(), "");
    EXPECT_TRUE(view.scrolledTo.empty());
}
