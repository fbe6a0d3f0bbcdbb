#include "ViewerFixture.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#endif

using Strings = std::vector<std::string>;

namespace {
// A log in the list that cannot be read: a pipe, or on Windows a file another program holds
// open without sharing.
class UnreadableLog {
public:
    explicit UnreadableLog(const std::filesystem::path& path) {
#ifdef _WIN32
        m_handle = CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, CREATE_NEW, 0, nullptr);
        m_made = m_handle != INVALID_HANDLE_VALUE;
#else
        m_made = mkfifo(path.c_str(), 0600) == 0;
#endif
    }
    ~UnreadableLog() {
#ifdef _WIN32
        if (m_made) CloseHandle(m_handle);
#endif
    }
    UnreadableLog(const UnreadableLog&) = delete;
    UnreadableLog& operator=(const UnreadableLog&) = delete;
    bool made() const {
        return m_made;
    }

private:
    bool m_made = false;
#ifdef _WIN32
    HANDLE m_handle = INVALID_HANDLE_VALUE;
#endif
};
} // namespace

// The shown log is deleted only on Yes, and only it, named in the question: the highlighted
// row may be another one.
TEST_F(ViewerTest, DeleteActsOnTheShownLogItNamesAfterYes) {
    write("log070812153045.txt", "other");
    write("log070812153044.txt", "shown");
    const UnreadableLog unreadable(logs / "0 unreadable.txt");
    ASSERT_TRUE(unreadable.made());
    start();
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
    EXPECT_FALSE(std::filesystem::exists(shown));
    EXPECT_EQ(dialogs.texts(), (Strings{question, shown.string() + "\r\nhas been Deleted."}));
    EXPECT_EQ(dialogs.shown[1].title, "");
    EXPECT_EQ(viewer->rows().size(), 2u);
    expectNothingShown();
    viewer->deletefile(); // nothing shown, nothing to delete
    EXPECT_EQ(dialogs.shown.size(), 2u);
}
