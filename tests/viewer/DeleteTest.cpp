#include "ViewerFixture.h"

using Strings = std::vector<std::string>;

// The shown log is deleted only on Yes, and only it, named in the question: the highlighted
// row may be another one.
TEST_F(ViewerTest, DeleteActsOnTheShownLogItNamesAfterYes) {
    write("log070812153045.txt", "other");
    write("log070812153044.txt", "shown");
    write("0 unreadable.txt", "deleted once listed");
    start();
    std::filesystem::remove(logs / "0 unreadable.txt");
    // Finding nothing, "Search All files" highlights the last row, a log it cannot read, and
    // shows the last log it read.
    viewer->changeSearchText("needle");
    viewer->searchAllFiles();
    const auto shown = logs / "log070812153044.txt";
    ASSERT_EQ(viewer->selectedRow(), 2u);
    ASSERT_EQ(viewer->filename(), shown);
    const std::string question = shown.string() + "\r\nwill be deleted. Are you sure?";
    const auto before = shownState();
    dialogs.answers = {Answer::No};
    viewer->deletefile();
    EXPECT_EQ(dialogs.texts(), Strings{question});
    EXPECT_EQ(dialogs.shown[0].title, "Delete log file");
    EXPECT_TRUE(std::filesystem::exists(shown));
    EXPECT_EQ(viewer->rows().size(), 3u);
    EXPECT_EQ(shownState(), before);
    EXPECT_EQ(viewer->selectedRow(), 2u);

    dialogs.shown.clear();
    dialogs.answers = {Answer::Yes};
    viewer->deletefile();
    EXPECT_EQ(fileNames(logs), Strings{"log070812153045.txt"});
    EXPECT_EQ(dialogs.texts(), (Strings{question, shown.string() + "\r\nhas been Deleted."}));
    EXPECT_EQ(dialogs.shown[1].title, "");
    EXPECT_EQ(viewer->rows().size(), 1u) << "the list is read again";
    expectNothingShown();
    viewer->deletefile(); // nothing shown, nothing to delete
    EXPECT_EQ(dialogs.shown.size(), 2u);
}
