#include "ViewerFixture.h"

using Strings = std::vector<std::string>;

// The shown log is deleted only on Yes, and only it: the keyboard may have moved the selection.
TEST_F(ViewerTest, DeleteActsOnTheShownLogAfterYes) {
    write("log070812153045.txt", "shown");
    write("log070812153044.txt", "other");
    start();
    viewer->selectRow(1);
    const auto shown = logs / "log070812153045.txt";
    const auto before = shownState();
    const auto expectUnchanged = [&] {
        EXPECT_TRUE(std::filesystem::exists(logs / "log070812153044.txt"));
        EXPECT_EQ(viewer->rows().size(), 2u);
        EXPECT_EQ(shownState(), before);
        EXPECT_EQ(viewer->selectedRow(), 1u);
    };
    dialogs.answers = {Answer::No};
    viewer->deletefile();
    EXPECT_EQ(dialogs.texts(), Strings{"Are you sure?"});
    EXPECT_EQ(dialogs.shown[0].title, "Delete log file");
    expectUnchanged();

    std::filesystem::remove(shown); // the deletion is refused
    dialogs.answers = {Answer::Yes};
    viewer->deletefile();
    EXPECT_EQ(dialogs.texts().back(),
              shown.string() + "\r\ncould not be deleted: No such file or directory");
    expectUnchanged();

    write("log070812153045.txt", "shown");
    dialogs.shown.clear();
    dialogs.answers = {Answer::Yes};
    viewer->deletefile();
    EXPECT_FALSE(std::filesystem::exists(shown));
    EXPECT_EQ(dialogs.texts(),
              (Strings{"Are you sure?", shown.string() + "\r\nhas been Deleted."}));
    EXPECT_EQ(dialogs.shown[1].title, "");
    EXPECT_EQ(viewer->rows().size(), 1u);
    expectNothingShown();
    viewer->deletefile(); // nothing shown, nothing to delete
    EXPECT_EQ(dialogs.shown.size(), 2u);
}
