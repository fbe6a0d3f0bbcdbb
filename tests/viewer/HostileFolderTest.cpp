#include "ViewerFixture.h"

#include <sys/stat.h>
#include <unistd.h>

// A logs folder can hold anything; the viewer must neither block, crash, nor touch more than
// the user confirmed, and must always show the list and the view again.
class HostileFolder : public ViewerTest {
protected:
    void SetUp() override {
        ViewerTest::SetUp();
        write("log070812153045.txt", "a good log\r\n");
    }
    std::size_t rowOf(const std::string& name) const {
        for (std::size_t i = 0; i < viewer->rows().size(); ++i)
            if (viewer->rows()[i].path.filename() == name) return i;
        ADD_FAILURE() << name << " not listed";
        return 0;
    }
    // Opens the row, expecting a message that names it with `reason`; what is shown stays.
    void openRefused(const std::string& name, const std::string& reason) {
        const auto before = shownState();
        dialogs.shown.clear();
        open(rowOf(name));
        EXPECT_EQ(dialogs.texts(),
                  std::vector<std::string>{"The log file\r\n" + (logs / name).string() +
                                           "\r\ncannot be opened: " + reason});
        EXPECT_EQ(shownState(), before);
        EXPECT_EQ(view.busy, 0);
    }
    void searchAllEndsShown() {
        viewer->changeSearchText("absent");
        viewer->searchAllFiles();
        EXPECT_EQ(viewer->label3(), "Not Found ");
        EXPECT_TRUE(view.listAndTextShown);
        EXPECT_EQ(view.busy, 0);
    }
};

TEST_F(HostileFolder, WhatCannotBeReadIsRefusedWithoutBlocking) {
    ASSERT_EQ(::mkfifo((logs / "pipe.txt").c_str(), 0600), 0);
    std::filesystem::create_symlink("loop.txt", logs / "loop.txt");
    dir.write("huge", "");
    std::filesystem::resize_file(dir / "huge", 1ull << 30); // sparse: costs no disk
    std::filesystem::rename(dir / "huge", logs / "huge.txt");
    std::filesystem::create_directory(logs / "folder.txt");
    write("vanishing.txt", "deleted once listed");
    write("secret.txt", "unreadable");
    ::chmod((logs / "secret.txt").c_str(), 0);
    const bool rootReads = ::access((logs / "secret.txt").c_str(), R_OK) == 0;
    start();
    EXPECT_EQ(viewer->rows().size(), 6u); // the folder is left out
    std::filesystem::remove(logs / "vanishing.txt");
    open(rowOf("log070812153045.txt"));
    viewer->changeSearchText("good");
    openRefused("pipe.txt", "Not a regular file");
    openRefused("loop.txt", "Too many levels of symbolic links");
    openRefused("huge.txt", "File too large (the viewer opens logs of up to 64 MB)");
    openRefused("vanishing.txt", "No such file or directory");
    if (rootReads) { // the system lets root read it
        open(rowOf("secret.txt"));
        EXPECT_EQ(viewer->shown().text(), "unreadable\r\n");
    } else {
        openRefused("secret.txt", "Permission denied");
    }
    searchAllEndsShown();
    EXPECT_TRUE(view.wasBusy);
}

TEST_F(HostileFolder, DeletingALinkRemovesOnlyTheLink) {
    dir.write("outside.txt", "not a log of ours");
    std::filesystem::create_symlink(dir / "outside.txt", logs / "log070812153046.txt");
    start();
    EXPECT_EQ(viewer->shown().text(), "not a log of ours\r\n");
    dialogs.answers = {Answer::Yes};
    viewer->deletefile();
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(viewer->filename())));
    EXPECT_EQ(dir.read("outside.txt"), "not a log of ours");
    EXPECT_EQ(viewer->rows().size(), 1u);
}

TEST_F(HostileFolder, ALogReplacedByAFolderIsNeitherReadNorDeleted) {
    write("log070812153046.txt", "soon a folder");
    start();
    std::filesystem::remove(logs / "log070812153046.txt");
    std::filesystem::create_directory(logs / "log070812153046.txt");
    dialogs.answers = {Answer::Yes};
    viewer->deletefile();
    EXPECT_TRUE(std::filesystem::is_directory(logs / "log070812153046.txt"));
    EXPECT_EQ(dialogs.texts().back(),
              (logs / "log070812153046.txt").string() + "\r\ncould not be deleted: Is a directory");
    EXPECT_EQ(viewer->shown().text(), "soon a folder\r\n");
    open(1);
    openRefused("log070812153046.txt", "Not a regular file");
}

TEST_F(HostileFolder, OddNamesAndAHundredThousandFiles) {
    write("caf\xE9.txt", "latin-1 name");
    // Links to one empty file: a hundred thousand names without a hundred thousand inodes.
    dir.write("empty0", "");
    dir.write("empty1", "");
    for (int i = 0; i < 100000; ++i)
        std::filesystem::create_hard_link(dir / ("empty" + std::to_string(i % 2)),
                                          logs / (std::to_string(i) + ".txt"));
    start();
    EXPECT_EQ(viewer->rows().size(), 100002u);
    EXPECT_EQ(viewer->rows()[0].path.filename(), "log070812153045.txt");
    open(rowOf("caf\xE9.txt"));
    EXPECT_EQ(viewer->shown().text(), "latin-1 name\r\n");
    searchAllEndsShown();
    EXPECT_EQ(viewer->selectedRow(), 100001u);
}
