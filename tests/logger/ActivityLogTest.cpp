#include "LoggerHarness.h"

#include <gtest/gtest.h>

namespace {
// A message whose log line is exactly 100 characters: stamp 16, label 9, payload 73, CR LF.
const std::string kLine100 = "[" + std::string(72, 'm');

std::vector<std::string> archives(const std::filesystem::path& logs) {
    auto names = fileNames(logs);
    std::erase(names, "logtemp.txt");
    return names;
}
} // namespace

TEST(ActivityLog, TenThousandCharactersStayOneMoreRollsOverAndArchivesInOneSecondBothStay) {
    LoggerHarness h;
    h.startLoggingAll();
    for (int i = 0; i < 100; ++i)
        h.receive({kLine100});
    h.drain();
    const std::string full = h.presenter.activity().text();
    ASSERT_EQ(full.size(), 10000u);
    EXPECT_EQ(h.currentLog(), full + "\r\n");
    EXPECT_TRUE(archives(h.logs()).empty()) << "10000 itself does not roll over";
    EXPECT_EQ(h.view.activity, full);

    h.clock.time = {2026, 12, 5, 22, 7, 9};
    h.receive({kLine100});
    h.presenter.tick();
    EXPECT_EQ(archives(h.logs()), std::vector<std::string>{"log261205220709.txt"});
    EXPECT_EQ(h.dir.read("logs/log261205220709.txt"),
              full + "12-05-26:10:07p:MESSAGE :" + kLine100 + "\r\n\r\n")
        << "the line that went past the limit is archived with the rest";
    EXPECT_EQ(h.presenter.activity().text(), "");
    EXPECT_TRUE(h.view.replaced);
    EXPECT_EQ(h.currentLog(), "\r\n");

    // The archive at the end, in the same second, takes the next one.
    h.receive({"[after"});
    h.drain();
    h.presenter.terminate();
    EXPECT_EQ(archives(h.logs()),
              (std::vector<std::string>{"log261205220709.txt", "log261205220710.txt"}));
    EXPECT_EQ(h.dir.read("logs/log261205220710.txt"), "12-05-26:10:07p:MESSAGE :[after\r\n\r\n");
    EXPECT_FALSE(std::filesystem::exists(h.logs() / "logtemp.txt"));
}

// Writes fail while a folder stands where a file goes (root cannot write there either).
void block(const std::filesystem::path& file) {
    std::filesystem::remove(file);
    std::filesystem::create_directory(file);
}

TEST(ActivityLog, FailingWritesLoseNothingAndAreReportedOnce) {
    LoggerHarness h;
    h.startLoggingAll();
    h.receive({"[one"});
    h.drain();
    block(h.logs() / "logtemp.txt");
    h.receive({"[two", "[three"});
    h.drain();
    ASSERT_EQ(h.dialogs.shown.size(), 1u);
    EXPECT_NE(h.dialogs.shown[0].text.find("logtemp.txt"), std::string::npos);

    std::filesystem::remove(h.logs() / "logtemp.txt");
    h.receive({"[four"});
    h.drain();
    EXPECT_EQ(h.currentLog(), h.presenter.activity().text() + "\r\n");
    // A current log changed behind the logger's back is written whole again.
    h.dir.write("logs/logtemp.txt", "edited\r\n");
    h.receive({"[five"});
    h.drain();
    EXPECT_EQ(h.currentLog(), h.presenter.activity().text() + "\r\n");
    std::string all;
    for (const char* m : {"[one", "[two", "[three", "[four", "[five"})
        all += "12-05-26:09:41p:MESSAGE :" + std::string(m) + "\r\n";
    EXPECT_EQ(h.presenter.activity().text(), all) << "every line is there";
    EXPECT_EQ(h.dialogs.shown.size(), 1u);
}

TEST(ActivityLog, FailingArchiveKeepsTheTextUntilItCanBeWritten) {
    LoggerHarness h;
    h.startLoggingAll();
    // Neither the current log can be renamed nor a copy written.
    block(h.logs() / "logtemp.txt");
    block(h.logs() / "log261205214130.txt.kelvotmp");
    for (int i = 0; i < 101; ++i)
        h.receive({kLine100});
    h.drain();
    EXPECT_EQ(h.presenter.activity().text().size(), 10100u) << "not rolled over into nothing";
    ASSERT_EQ(h.dialogs.shown.size(), 1u);

    std::filesystem::remove(h.logs() / "logtemp.txt");
    std::filesystem::remove(h.logs() / "log261205214130.txt.kelvotmp");
    h.receive({kLine100});
    h.drain();
    EXPECT_EQ(h.dir.read("logs/log261205214130.txt").size(), 10202u);
    EXPECT_EQ(h.currentLog(), "\r\n");

    // The exit archive names this second or the next, never one further ahead of the clock;
    // when both are taken the current log keeps the text.
    LoggerHarness taken;
    taken.startLoggingAll();
    taken.dir.write("logs/log261205214130.txt", "");
    taken.dir.write("logs/log261205214131.txt", "");
    taken.receive({"[keep me"});
    taken.drain();
    taken.presenter.terminate();
    EXPECT_TRUE(taken.dialogs.shown.back().text.starts_with("The log cannot be archived"));
    EXPECT_EQ(taken.currentLog(), "12-05-26:09:41p:MESSAGE :[keep me\r\n\r\n");
    EXPECT_EQ(archives(taken.logs()).size(), 2u);
    EXPECT_TRUE(taken.presenter.ended());
}

// Ending while the logs folder takes no archive: the text goes to the current log, else to
// the first of the user's folders that takes it, and the next start brings it back.
TEST(ActivityLog, TheEndSavesTheTextWhereItCanSaysWhereAndTheNextStartBringsItBack) {
#ifdef _WIN32
    const std::string blockedReason = "Permission denied"; // how Windows refuses a folder
#else
    const std::string blockedReason = "Is a directory";
#endif
    const std::string text = "12-05-26:09:41p:MESSAGE :[one\r\n12-05-26:09:41p:MESSAGE :[two\r\n";
    enum class Blocked { archiveNames, archiveAndCurrentLog, everything };
    for (const auto blocked :
         {Blocked::archiveNames, Blocked::archiveAndCurrentLog, Blocked::everything}) {
        LoggerHarness h;
        h.startLoggingAll();
        h.receive({"[one"});
        h.drain();
        if (blocked == Blocked::archiveNames) {
            h.dir.write("logs/log261205214130.txt", "");
            h.dir.write("logs/log261205214131.txt", "");
        } else {
            block(h.logs() / "log261205214130.txt.kelvotmp");
            block(h.logs() / "logtemp.txt");
        }
        h.dir.write("state", "a file where the folder would be");
        if (blocked == Blocked::everything) h.dir.write("temp", "the same");
        h.receive({"[two"});
        h.drain();
        h.dialogs.shown.clear();
        h.presenter.terminate();
        EXPECT_TRUE(h.presenter.ended());
        ASSERT_EQ(h.dialogs.shown.size(), 1u) << "told once, and only where it went";
        const auto& told = h.dialogs.shown[0].text;
        const auto current = (h.logs() / "logtemp.txt").string();
        if (blocked == Blocked::archiveNames) {
            EXPECT_EQ(told, "The log cannot be archived; it stays in " + current +
                                " and comes back at the next start.\r\nFile exists");
            EXPECT_EQ(h.currentLog(), text + "\r\n");
            continue;
        }
        if (blocked == Blocked::everything) {
            EXPECT_EQ(told, "The log cannot be saved anywhere; the lines that " + current +
                                " does not hold are lost.\r\n" + blockedReason);
            continue;
        }
        std::vector<std::filesystem::path> saved;
        for (const auto& e : std::filesystem::recursive_directory_iterator(h.dir / "temp"))
            if (e.is_regular_file()) saved.push_back(e.path());
        ASSERT_EQ(saved.size(), 1u);
        EXPECT_EQ(told, "The log cannot be written into " + h.logs().string() +
                            "; it is saved as " + saved[0].string() +
                            " and comes back into the logs folder at the next start.\r\n" +
                            blockedReason);
        EXPECT_EQ(readFile(saved[0]), text + "\r\n");
        EXPECT_FALSE(std::filesystem::exists(h.logs() / "logtemp.txt"))
            << "its older text is in the saved one";

        // Back into the logs folder as soon as it takes it; until then it stays where it is.
        for (const bool stillBlocked : {true, false}) {
            if (!stillBlocked) std::filesystem::remove(h.logs() / "log261205214130.txt.kelvotmp");
            h.dialogs.shown.clear();
            LoggerPresenter next{h.ports(h.socket), h.dir.path(), {}, h.rescueFolders};
            ASSERT_TRUE(next.start({}));
            EXPECT_EQ(h.dialogs.shown.size(), stillBlocked ? 1u : 0u) << stillBlocked;
            EXPECT_EQ(std::filesystem::exists(saved[0]), stillBlocked);
        }
        EXPECT_EQ(h.dir.read("logs/log261205214130.txt"), text + "\r\n");
        EXPECT_FALSE(std::filesystem::exists(saved[0].parent_path())) << "nothing left behind";
    }
}
