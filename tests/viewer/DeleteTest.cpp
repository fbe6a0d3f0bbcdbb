#include "ViewerFixture.h"

class DeleteLog : public ViewerTest {
protected:
    void SetUp() override {
        ViewerTest::SetUp();
        write("log070812153045.txt", "shown");
        write("log070812153044.txt", "other");
        start();
        viewer->selectRow(1); // by the keyboard: Delete still acts on the shown log
        dialogs.answers = {Answer::Yes};
    }
    bool exists(const char* name) const { return std::filesystem::exists(logs / name); }
    void expectUnchanged() {
        EXPECT_TRUE(exists("log070812153044.txt"));
        EXPECT_EQ(viewer->rows().size(), 2u);
        EXPECT_EQ(viewer->shown().text(), "shown\r\n");
        EXPECT_TRUE(viewer->deleteEnabled());
    }
};

TEST_F(DeleteLog, NoChangesNothing) {
    dialogs.answers = {Answer::No};
    viewer->deletefile();
    EXPECT_EQ(dialogs.texts(), (std::vector<std::string>{"Are you sure?"}));
    EXPECT_EQ(dialogs.shown.front().title, "Delete log file");
    EXPECT_TRUE(exists("log070812153045.txt"));
    expectUnchanged();
}

TEST_F(DeleteLog, YesDeletesTheShownLog) {
    viewer->deletefile();
    EXPECT_FALSE(exists("log070812153045.txt"));
    EXPECT_TRUE(exists("log070812153044.txt"));
    ASSERT_EQ(dialogs.shown.size(), 2u);
    EXPECT_EQ(dialogs.texts()[1],
              (logs / "log070812153045.txt").string() + "\r\nhas been Deleted.");
    EXPECT_EQ(dialogs.shown[1].title, "");
    EXPECT_EQ(viewer->rows().size(), 1u);
    expectNothingShown();
    viewer->deletefile(); // nothing shown, nothing to delete
    EXPECT_EQ(dialogs.shown.size(), 2u);
}

TEST_F(DeleteLog, RefusedDeletionIsReportedAndChangesNothing) {
    std::filesystem::remove(logs / "log070812153045.txt");
    viewer->deletefile();
    ASSERT_EQ(dialogs.shown.size(), 2u);
    EXPECT_EQ(dialogs.texts()[1], (logs / "log070812153045.txt").string() +
                                      "\r\ncould not be deleted: No such file or directory");
    EXPECT_EQ(viewer->selectedRow(), 1u);
    expectUnchanged();
}
