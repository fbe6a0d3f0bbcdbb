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

TEST(ActivityLog, FailingWritesLoseNothingAndAreReportedOnce) {
    LoggerHarness h;
    h.startLoggingAll();
    h.receive({"[one"});
    h.drain();
    // Writes fail while a folder stands where the new file goes (root cannot write there
    // either).
    std::filesystem::create_directory(h.logs() / "logtemp.txt.kelvotmp");
    h.receive({"[two", "[three"});
    h.drain();
    ASSERT_EQ(h.dialogs.shown.size(), 1u);
    EXPECT_NE(h.dialogs.shown[0].text.find("logtemp.txt"), std::string::npos);
    EXPECT_EQ(h.currentLog(), "12-05-26:09:41p:MESSAGE :[one\r\n\r\n") << "the last good copy";

    std::filesystem::remove(h.logs() / "logtemp.txt.kelvotmp");
    h.receive({"[four"});
    h.drain();
    EXPECT_EQ(h.currentLog(), h.presenter.activity().text() + "\r\n");
    std::string all;
    for (const char* m : {"[one", "[two", "[three", "[four"})
        all += "12-05-26:09:41p:MESSAGE :" + std::string(m) + "\r\n";
    EXPECT_EQ(h.presenter.activity().text(), all) << "every line is there";
    EXPECT_EQ(h.dialogs.shown.size(), 1u);
}

TEST(ActivityLog, FailingArchiveKeepsTheTextUntilItCanBeWritten) {
    LoggerHarness h;
    h.startLoggingAll();
    // Writes fail while a folder stands where the new file goes.
    std::filesystem::create_directory(h.logs() / "log261205214130.txt.kelvotmp");
    for (int i = 0; i < 101; ++i)
        h.receive({kLine100});
    h.drain();
    EXPECT_EQ(h.presenter.activity().text().size(), 10100u) << "not rolled over into nothing";
    EXPECT_EQ(h.currentLog().size(), 10102u) << "the current log still holds it all";
    ASSERT_EQ(h.dialogs.shown.size(), 1u);

    std::filesystem::remove(h.logs() / "log261205214130.txt.kelvotmp");
    h.receive({kLine100});
    h.drain();
    EXPECT_EQ(h.dir.read("logs/log261205214130.txt").size(), 10202u);
    EXPECT_EQ(h.currentLog(), "\r\n");

    // At the end, too, the current log keeps what cannot be archived.
    h.receive({"[keep me"});
    h.drain();
    std::filesystem::create_directory(h.logs() / "log261205214131.txt.kelvotmp");
    h.presenter.terminate();
    EXPECT_TRUE(h.dialogs.shown.back().text.starts_with("The log cannot be archived"));
    EXPECT_EQ(h.currentLog(), "12-05-26:09:41p:MESSAGE :[keep me\r\n\r\n");
    EXPECT_TRUE(h.presenter.ended());

    // The exit archive names this second or the next, never one further ahead of the clock.
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
}
