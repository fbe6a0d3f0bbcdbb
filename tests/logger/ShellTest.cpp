#include "LoggerHarness.h"
#include "Udp.h"
#include "platform/PosixUdpSocket.h"

#include <gtest/gtest.h>

namespace {
const std::string kExitQuestion =
    "Do you want the Logger continue running in the background?\r\n\r\n  Yes - Minimize\r\n"
    "   No - Terminate";

std::vector<std::filesystem::path> filesIn(const std::filesystem::path& folder) {
    std::vector<std::filesystem::path> names;
    for (const auto& e : std::filesystem::directory_iterator(folder))
        names.push_back(e.path().filename());
    return names;
}
} // namespace

TEST(Exit, CloseAsksAndCancelOrYesKeepEverything) {
    for (Answer answer : {Answer::Cancel, Answer::Yes}) {
        LoggerHarness h;
        h.startLoggingAll();
        h.receive({"[queued"});
        h.dialogs.answers = {answer};
        EXPECT_TRUE(h.presenter.closeRequested());
        ASSERT_EQ(h.dialogs.shown.size(), 1u);
        EXPECT_EQ(h.dialogs.shown[0].text, kExitQuestion);
        EXPECT_EQ(h.dialogs.shown[0].title, "Exit Kelvo Logger");
        EXPECT_EQ(h.dialogs.shown[0].buttons, Buttons::YesNoCancel);
        EXPECT_EQ(h.dialogs.shown[0].icon, Icon::Question);
        EXPECT_EQ(h.view.minimised, answer == Answer::Yes);
        EXPECT_FALSE(h.presenter.ended());
        EXPECT_TRUE(filesIn(h.logs()).empty()) << "nothing written";
        EXPECT_EQ(h.presenter.cue().size(), 1u);
    }
}

TEST(Exit, NoSavesLogsTheQueueArchivesAndEnds) {
    LoggerHarness h;
    h.startLoggingAll();
    h.receive({"[one"});
    h.presenter.tick();
    h.receive({"***[PC7]=Ann", "[still queued"}); // received, not yet logged
    h.dir.write("loggersettings.txt", "stale");
    h.dialogs.answers = {Answer::No};
    EXPECT_FALSE(h.presenter.closeRequested());
    EXPECT_TRUE(h.presenter.ended());
    EXPECT_TRUE(h.view.quit);
    EXPECT_EQ(h.dir.read("loggersettings.txt"), settings::fileText({1, 1, 1, 1, 1, 0}, "4111"));
    EXPECT_EQ(filesIn(h.logs()), std::vector<std::filesystem::path>{"log261205214130.txt"});
    EXPECT_EQ(h.dir.read("logs/log261205214130.txt"),
              "12-05-26:09:41p:MESSAGE :[one\r\n12-05-26:09:41p:SIGN ON :[PC7]=Ann\r\n"
              "12-05-26:09:41p:MESSAGE :[still queued\r\n\r\n");
    EXPECT_EQ(h.presenter.users().rows().size(), 1u) << "queued lines are handled as ticks would";
    // Nothing after the end.
    h.receive({"[late"});
    h.presenter.tick();
    EXPECT_TRUE(h.presenter.cue().empty());
}

TEST(Exit, EmptyActivityStillGivesAnArchiveAndNoCurrentLogIsFine) {
    LoggerHarness h;
    h.startLoggingAll();
    h.presenter.terminate();
    EXPECT_EQ(h.dir.read("logs/log261205214130.txt"), "\r\n");
    EXPECT_TRUE(h.dialogs.shown.empty());
}

TEST(Exit, AnArchiveThatCannotBeWrittenKeepsTheCurrentLog) {
    LoggerHarness h;
    h.startLoggingAll();
    h.receive({"[keep me"});
    h.drain();
    std::filesystem::create_directory(h.logs() / "log261205214130.txt.kelvotmp");
    h.presenter.terminate();
    ASSERT_EQ(h.dialogs.shown.size(), 2u); // the failed write, then where the text stays
    EXPECT_TRUE(h.dialogs.shown[1].text.starts_with("The log cannot be archived"));
    EXPECT_EQ(h.currentLog(), "12-05-26:09:41p:MESSAGE :[keep me\r\n\r\n");
    EXPECT_TRUE(h.presenter.ended());
}

TEST(ViewLogs, StartsTheViewerBesideTheLoggerOrSaysWhyNot) {
    LoggerHarness h;
    h.startLoggingAll();
    h.presenter.viewLogs();
    EXPECT_EQ(h.launcher.started, std::vector<std::filesystem::path>{h.dir / "kelvologviewer"});
    EXPECT_TRUE(h.dialogs.shown.empty());
    h.launcher.failure = "The file does not exist.";
    h.presenter.viewLogs();
    ASSERT_EQ(h.dialogs.shown.size(), 1u);
    EXPECT_EQ(h.dialogs.shown[0].text, "The log viewer cannot be started:\r\n" +
                                           (h.dir / "kelvologviewer").string() +
                                           "\r\nThe file does not exist.");
    EXPECT_FALSE(h.presenter.ended());
}

// The port change on a real socket: every answer, and what listens afterwards.
class PortChange : public ::testing::Test {
protected:
    void SetUp() override {
        h.dir.write("loggersettings.txt", settings::fileText({1, 0, 0, 0, 0, 0}, std::to_string(port)));
        ASSERT_TRUE(presenter.start({}));
    }
    bool listensOn(int p) {
        const auto before = presenter.cue().size();
        sendUdp(p, "[probe");
        return posted.runUntil([&] { return presenter.cue().size() > before; });
    }
    std::string settingsFile() { return h.dir.read("loggersettings.txt"); }

    LoggerHarness h;
    int port = freeUdpPort();
    PostedWork posted;
    PosixUdpSocket socket{presenter, [this](auto f) { posted.post(std::move(f)); }};
    LoggerPresenter presenter{{h.view, h.dialogs, socket, h.timer, h.clock, h.lock, h.launcher,
                               h.autoStart},
                              h.dir.path()};
};

TEST_F(PortChange, CancelEmptyOrTheSamePortChangeNothing) {
    const std::string before = settingsFile();
    for (std::optional<std::string> answer :
         {std::optional<std::string>{}, std::optional<std::string>{""},
          std::optional<std::string>{"  " + std::to_string(port) + ".0 "}}) {
        h.dialogs.inputs = {answer};
        presenter.changePort();
        EXPECT_EQ(h.dialogs.asked.back().title, "Change your Ports");
        EXPECT_EQ(h.dialogs.asked.back().text, "Please enter the new Listening Port #:\r\n");
        EXPECT_EQ(presenter.udpport(), std::to_string(port));
        EXPECT_EQ(settingsFile(), before);
    }
    EXPECT_TRUE(h.dialogs.shown.empty());
    EXPECT_TRUE(listensOn(port));
}

TEST_F(PortChange, FreePortMovesTheSocketAndSavesTheAnswerAsTyped) {
    const int next = freeUdpPort();
    const std::string typed = " " + std::to_string(next) + " ";
    h.dialogs.inputs = {typed};
    presenter.changePort();
    EXPECT_TRUE(h.dialogs.shown.empty());
    EXPECT_EQ(presenter.udpport(), typed);
    EXPECT_EQ(settingsFile(), settings::fileText({1, 0, 0, 0, 0, 0}, typed));
    EXPECT_TRUE(listensOn(next));
    EXPECT_EQ(h.dialogs.lastInitial, std::to_string(port)) << "pre-filled with the port box";
}

TEST_F(PortChange, HeldPortIsReportedAndThePreviousPortListensAgain) {
    const int held = freeUdpPort();
    HeldUdpPort other(held);
    const std::string before = settingsFile();
    h.dialogs.inputs = {std::to_string(held)};
    presenter.changePort();
    ASSERT_EQ(h.dialogs.shown.size(), 1u);
    EXPECT_EQ(h.dialogs.shown[0].text, "Error :Address already in use\r\nError #98\r\nPort " +
                                           std::to_string(held) + " is in use.");
    EXPECT_EQ(presenter.udpport(), std::to_string(port));
    EXPECT_EQ(settingsFile(), before);
    EXPECT_TRUE(listensOn(port));
}

TEST_F(PortChange, AnswersThatAreNoPortNeverEndTheLogger) {
    for (const char* answer : {"abc", "12abc", "1 2"}) {
        h.dialogs.inputs = {answer};
        presenter.changePort();
        EXPECT_EQ(h.dialogs.shown.back().text,
                  "\"" + std::string(answer) + "\" is not a port number.\r\nEnter a number from 1 to 65535.");
    }
    for (const char* answer : {"70000", "0", "-1"}) {
        h.dialogs.inputs = {answer};
        presenter.changePort();
        EXPECT_EQ(h.dialogs.shown.back().text,
                  "Error :Port number out of range (1 to 65535)\r\nError #22\r\nPort " +
                      std::string(answer) + " is in use.");
    }
    EXPECT_EQ(h.dialogs.shown.size(), 6u);
    EXPECT_FALSE(presenter.ended());
    EXPECT_EQ(presenter.udpport(), std::to_string(port));
    EXPECT_TRUE(listensOn(port));
}
