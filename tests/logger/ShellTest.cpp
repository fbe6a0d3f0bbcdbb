#include "SocketLogger.h"
#include "Udp.h"

#include <gtest/gtest.h>

using Strings = std::vector<std::string>;

TEST(Exit, CloseAsksAndCancelOrYesKeepEverything) {
    for (Answer answer : {Answer::Cancel, Answer::Yes}) {
        LoggerHarness h;
        h.startLoggingAll();
        h.receive({"[queued"});
        h.dialogs.answers = {answer};
        EXPECT_TRUE(h.presenter.closeRequested());
        ASSERT_EQ(h.dialogs.shown.size(), 1u);
        const auto& asked = h.dialogs.shown[0];
        EXPECT_EQ(asked.text, "Do you want the Logger continue running in the background?\r\n\r\n"
                              "  Yes - Minimize\r\n   No - Terminate");
        EXPECT_EQ(asked.title, "Exit Kelvo Logger");
        EXPECT_TRUE(asked.buttons == Buttons::YesNoCancel && asked.icon == Icon::Question);
        EXPECT_EQ(h.view.minimised, answer == Answer::Yes);
        EXPECT_FALSE(h.presenter.ended());
        EXPECT_TRUE(fileNames(h.logs()).empty()) << "nothing written";
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
    EXPECT_EQ(fileNames(h.logs()), Strings{"log261205214130.txt"});
    EXPECT_EQ(h.dir.read("logs/log261205214130.txt"),
              "12-05-26:09:41p:MESSAGE :[one\r\n12-05-26:09:41p:SIGN ON :[PC7]=Ann\r\n"
              "12-05-26:09:41p:MESSAGE :[still queued\r\n\r\n");
    EXPECT_EQ(h.presenter.users().rows().size(), 1u) << "queued lines are handled as ticks would";
    // Nothing after the end.
    h.receive({"[late"});
    h.presenter.tick();
    EXPECT_TRUE(h.presenter.cue().empty());
}

// Where it is started from, and that a start without trouble says nothing: InstalledLogger.
TEST(ViewLogs, AViewerThatCannotBeStartedIsToldAndTheLoggerGoesOn) {
    LoggerHarness h;
    h.startLoggingAll();
    h.launcher.failure = "The file does not exist.";
    h.presenter.viewLogs();
    EXPECT_EQ(h.dialogs.texts(),
              Strings{"The log viewer cannot be started:\r\n" + (h.dir / kViewerProgram).string() +
                      "\r\nThe file does not exist."});
    EXPECT_FALSE(h.presenter.ended());
}

// Every answer to the port box on a real socket, and what listens afterwards.
TEST(PortChange, OnlyAFreePortMovesTheLoggerAndNoAnswerEndsIt) {
#ifdef _WIN32
    const std::string kInUse = "Error :Address in use\r\nError #10048";
#else
    const std::string kInUse = "Error :Address already in use\r\nError #98";
#endif
    SocketLogger l;
    ASSERT_TRUE(l.presenter.start({}));
    const std::string port = std::to_string(l.port), held = std::to_string(freeUdpPort());
    const HeldUdpPort other(std::stoi(held));
    const std::string settingsFile = l.h.dir.read("loggersettings.txt");
    const auto noNumber = [](const std::string& typed) {
        return "\"" + typed + "\" is not a port number.\r\nEnter a number from 1 to 65535.";
    };
    const auto outOfRange = [](const std::string& number) {
        return "Port " + number + " is out of range.\r\nEnter a number from 1 to 65535.";
    };
    const std::pair<std::optional<std::string>, std::string> cases[] = {
        {std::nullopt, ""},
        {"", ""},
        {"  " + port + ".0 ", ""}, // the same port
        {"abc", noNumber("abc")},
        {"12abc", noNumber("12abc")},
        {"1 2", noNumber("1 2")},
        {"99999", outOfRange("99999")},
        {"0.4", outOfRange("0")},
        {"-1", outOfRange("-1")},
        {held, kInUse + "\r\nPort " + held + " is in use."},
    };
    // Listening on the earlier port while the box is open, not only after it.
    bool heardWhileOpen = false;
    l.h.dialogs.whileOpen = [&] { heardWhileOpen = l.receives(l.port); };
    for (const auto& [typed, told] : cases) {
        SCOPED_TRACE(typed.value_or("(cancelled)"));
        l.h.dialogs.shown.clear();
        l.h.dialogs.inputs = {typed};
        heardWhileOpen = false;
        l.presenter.changePort();
        EXPECT_EQ(l.h.dialogs.texts(), told.empty() ? Strings{} : Strings{told});
        EXPECT_EQ(heardWhileOpen, !told.empty());
        EXPECT_EQ(l.presenter.udpport(), port);
        EXPECT_EQ(l.h.dir.read("loggersettings.txt"), settingsFile);
        EXPECT_TRUE(l.receives(l.port));
    }
    EXPECT_FALSE(l.presenter.ended());
    EXPECT_EQ(l.h.dialogs.asked.back(),
              (std::array<std::string, 3>{"Change your Ports",
                                          "Please enter the new Listening Port #:\r\n", port}));

    l.h.dialogs.whileOpen = nullptr;
    const int next = freeUdpPort();
    const std::string typed = " " + std::to_string(next) + " ";
    l.h.dialogs.shown.clear();
    l.h.dialogs.inputs = {typed};
    l.presenter.changePort();
    EXPECT_TRUE(l.h.dialogs.shown.empty());
    EXPECT_EQ(l.presenter.udpport(), typed) << "kept as typed";
    EXPECT_EQ(l.h.dir.read("loggersettings.txt"), settings::fileText({1, 0, 0, 0, 0, 0}, typed));
    EXPECT_TRUE(l.receives(next));
}
