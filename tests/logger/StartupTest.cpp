#include "SocketLogger.h"
#include "Udp.h"

#include <gtest/gtest.h>

using Strings = std::vector<std::string>;

TEST(Startup, SecondInstanceIsRefusedWithoutTouchingAnything) {
    LoggerHarness h;
    h.lock.free = false;
    EXPECT_FALSE(h.presenter.start({}));
    EXPECT_EQ(h.dialogs.texts(), Strings{"Kelvo Logger v1.0.1\r\n     is already running."});
    EXPECT_EQ(h.dialogs.shown[0].title, "") << "the program's own title";
    EXPECT_TRUE(std::filesystem::is_empty(h.dir.path()));
    EXPECT_TRUE(h.socket.bound.empty());
    EXPECT_EQ(h.view.shown, 0);
}

TEST(Startup, ShowsTheVersionCreatesTheLogsFolderAndClearsOnlyLeftovers) {
    for (bool logsThere : {false, true}) {
        LoggerHarness h;
        EXPECT_EQ(h.presenter.label3(), "version");
        if (logsThere) {
            std::filesystem::create_directory(h.logs());
            for (const char* name : {"logtemp.txt.kelvotmp", "log070812153045.txt", "notes.tmp"})
                h.dir.write("logs/" + std::string(name), "x");
        }
        EXPECT_TRUE(h.presenter.start({}));
        EXPECT_EQ(h.presenter.label3(), "v1.0.1");
        EXPECT_EQ(fileNames(h.logs()),
                  logsThere ? (Strings{"log070812153045.txt", "notes.tmp"}) : Strings{});
        EXPECT_TRUE(h.dialogs.shown.empty());
    }
}

TEST(Startup, RestoresTheCurrentLogOfARunThatDidNotEnd) {
    const std::string kept = "12-05-26:09:41p:SIGN ON :[PC7]=Ann\r\n | x\r\n";
    const std::string cut = "12-05-26:09:41p:MESSAGE :a\r\n | b";
    // A run killed while writing leaves the file without its empty last line: the line then
    // being written may lack its end or its continuations, and does not come back.
    const std::pair<std::string, std::string> cases[] = {
        {kept + "\r\n", kept + "\r\n"}, // every line, the empty last one included
        {kept + cut.substr(0, 5), kept},    {kept + cut.substr(0, 28), kept},
        {kept + cut.substr(0, 30), kept},   {kept + cut, kept},
        {" | not ours", " | not ours\r\n"}, // no stamp: nothing to cut
    };
    for (const auto& [written, restored] : cases) {
        SCOPED_TRACE(written);
        LoggerHarness h;
        std::filesystem::create_directory(h.logs());
        h.dir.write("logs/logtemp.txt", written);
        h.startLoggingAll();
        EXPECT_EQ(h.presenter.activity().text(), restored);
        EXPECT_TRUE(h.dialogs.shown.empty());
        EXPECT_EQ(h.currentLog(), written) << "on disk until a write holds it, untouched till then";
        h.receive({"[hi"});
        h.drain();
        EXPECT_EQ(h.currentLog(), restored + "12-05-26:09:41p:MESSAGE :[hi\r\n\r\n");
    }
}

TEST(Startup, ACurrentLogThatCannotBeReadBackIsKeptAsAnArchive) {
    // Too large to be a log of ours, or not a file at all: the next write must not replace it.
    for (const bool tooLarge : {true, false}) {
        LoggerHarness h;
        std::filesystem::create_directory(h.logs());
        if (tooLarge)
            h.dir.write("logs/logtemp.txt", std::string(ActivityLog::kMaxRestoredBytes + 1, 'x'));
        else
            std::filesystem::create_directory(h.logs() / "logtemp.txt");
        h.startLoggingAll();
        ASSERT_EQ(h.dialogs.shown.size(), 1u);
        EXPECT_TRUE(h.dialogs.shown[0].text.ends_with("It is kept as " +
                                                      (h.logs() / "log261205214130.txt").string()));
        EXPECT_EQ(std::filesystem::is_directory(h.logs() / "log261205214130.txt"), !tooLarge);
        h.receive({"[next"});
        h.drain();
        EXPECT_EQ(h.presenter.activity().text(), "12-05-26:09:41p:MESSAGE :[next\r\n");
    }
}

TEST(Startup, MinimisedOnlyForTheOneArgumentM) {
    const std::pair<const char*, bool> cases[] = {
        {"/m", true}, {"/M", true}, {"", false}, {"/m x", false}, {"m", false}};
    for (const auto& [args, minimised] : cases) {
        LoggerHarness h;
        h.presenter.start(args);
        EXPECT_EQ(h.view.shown, 1) << args;
        EXPECT_EQ(h.view.minimised, minimised) << args;
    }
}

TEST(Startup, APortHeldWithOrWithoutAddressReuseEndsTheLoggerAndKeepsTheEarlierLog) {
    for (bool reuse : {false, true}) {
        SocketLogger l;
        HeldUdpPort held(l.port, reuse);
        std::filesystem::create_directory(l.h.logs());
        l.h.dir.write("logs/logtemp.txt", "12-05-26:09:41p:MESSAGE :[earlier\r\n\r\n");
        EXPECT_FALSE(l.presenter.start({}));
        EXPECT_EQ(l.h.currentLog(), "12-05-26:09:41p:MESSAGE :[earlier\r\n\r\n");
        EXPECT_EQ(l.h.dialogs.texts(),
                  Strings{"Port " + std::to_string(l.port) +
                          " is in use.\r\nMost likely Kelvo IM is running on this machine.\r\n"
                          "Close Kelvo IM and restart the Logger."})
            << "reuse " << reuse;
        EXPECT_EQ(l.h.view.shown, 1) << "the window is shown before the message";
        EXPECT_TRUE(l.h.view.quit && l.presenter.ended());
    }
}

TEST(Startup, AnyOtherBindFailureIsToldAndTheLoggerRunsDeafUntilThePortIsChanged) {
    SocketLogger l("[UDPPORT             ]=abc\r\n");
    EXPECT_TRUE(l.presenter.start("/m"));
    EXPECT_EQ(l.presenter.udpport(), "0");
    EXPECT_EQ(l.h.dialogs.texts(),
              Strings{"Error :Port number out of range (1 to 65535)\r\nError #22"});
    EXPECT_TRUE(l.h.view.minimised) << "the start-up went on to its last step";
    EXPECT_FALSE(l.presenter.ended());
    EXPECT_FALSE(l.presenter.listening());

    // A port that fails is told once: there is no earlier port to go back to.
    const int held = freeUdpPort();
    const HeldUdpPort other(held);
    l.h.dialogs.shown.clear();
    l.h.dialogs.inputs = {std::to_string(held), std::to_string(l.port)};
    l.presenter.changePort();
    EXPECT_EQ(l.h.dialogs.shown.size(), 1u);
    EXPECT_FALSE(l.presenter.listening());
    l.presenter.changePort();
    EXPECT_TRUE(l.presenter.listening());
    EXPECT_TRUE(l.receives(l.port));
}
