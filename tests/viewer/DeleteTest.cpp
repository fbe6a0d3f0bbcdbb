#include "ViewerFixture.h"

class DeleteLog : public ViewerTest {
protected:
    void SetUp() override {
        ViewerTest::SetUp();
        write("log070812153045.txt", "shown");
        write("log070812153044.txt", "other");
        start();
    }
    bool exists(const char* name) const { return std::filesystem::exists(logs / name); }
};

TEST_F(DeleteLog, NoChangesNothing) {
    dialogs.answers = {Answer::No};
    viewer->deletefile();
    EXPECT_EQ(dialogs.texts, (std::vector<std::string>{"Are you sure?"}));
    EXPECT_EQ(dialogs.titles.front(), "Delete log file");
    EXPECT_TRUE(exists("log070812153045.txt"));
    EXPECT_EQ(viewer->rows().size(), 2u);
    EXPECT_EQ(viewer->shown().text(), "shown\r\n");
    EXPECT_TRUE(viewer->deleteEnabled());
}

TEST_F(DeleteLog, YesDeletesTheShownLogEvenWhenTheKeyboardMovedTheSelection) {
    viewer->selectRow(1);
    dialogs.answers = {Answer::Yes};
    viewer->deletefile();
    EXPECT_FALSE(exists("log070812153045.txt"));
    EXPECT_TRUE(exists("log070812153044.txt"));
    ASSERT_EQ(dialogs.texts.size(), 2u);
    EXPECT_EQ(dialogs.texts[1], (logs / "log070812153045.txt").string() + "\r\nhas been Deleted.");
    EXPECT_EQ(dialogs.titles[1], "");
    EXPECT_EQ(viewer->rows().size(), 1u);
    EXPECT_FALSE(viewer->selectedRow());
    EXPECT_EQ(viewer->label1(), "No file selected");
    EXPECT_FALSE(viewer->deleteEnabled());
    EXPECT_TRUE(viewer->shown().empty());
    // Nothing is shown now, so there is nothing to delete.
    viewer->deletefile();
    EXPECT_EQ(dialogs.texts.size(), 2u);
}

TEST_F(DeleteLog, RefusedDeletionIsReportedAndChangesNothing) {
    std::filesystem::remove(logs / "log070812153045.txt");
    dialogs.answers = {Answer::Yes};
    viewer->deletefile();
    ASSERT_EQ(dialogs.texts.size(), 2u);
    EXPECT_EQ(dialogs.texts[1], (logs / "log070812153045.txt").string() +
                                    "\r\ncould not be deleted: No such file or directory");
    EXPECT_EQ(viewer->rows().size(), 2u);
    EXPECT_EQ(viewer->selectedRow(), 0u);
    EXPECT_EQ(viewer->shown().text(), "shown\r\n");
    EXPECT_TRUE(viewer->deleteEnabled());
}

TEST_F(DeleteLog, CloseEndsAtOnce) {
    viewer->closeout();
    EXPECT_TRUE(view.quit && viewer->ended());
    EXPECT_TRUE(dialogs.texts.empty());
    EXPECT_TRUE(exists("log070812153045.txt"));
}
