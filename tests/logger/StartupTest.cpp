#include "LoggerHarness.h"
#include "Udp.h"
#include "platform/PosixUdpSocket.h"

#include <gtest/gtest.h>

TEST(Startup, SecondInstanceIsRefusedWithoutTouchingAnything) {
    LoggerHarness h;
    h.lock.free = false;
    EXPECT_FALSE(h.presenter.start({}));
    EXPECT_EQ(h.dialogs.texts(),
              std::vector<std::string>{"Kelvo Logger v1.0.1\r\n     is already running."});
    EXPECT_EQ(h.dialogs.shown[0].title, "") << "the program's own title";
    EXPECT_TRUE(std::filesystem::is_empty(h.dir.path()));
    EXPECT_TRUE(h.socket.bound.empty());
    EXPECT_EQ(h.view.shown, 0);
}

TEST(Startup, ShowsTheVersionCreatesTheLogsFolderAndClearsLeftovers) {
    LoggerHarness h;
    EXPECT_EQ(h.presenter.label3(), "version");
    std::filesystem::create_directory(h.logs());
    h.dir.write("logs/logtemp.txt.kelvotmp", "half a write");
    EXPECT_TRUE(h.presenter.start({}));
    EXPECT_EQ(h.presenter.label3(), "v1.0.1");
    EXPECT_TRUE(std::filesystem::is_directory(h.logs()));
    EXPECT_TRUE(std::filesystem::is_empty(h.logs()));
    EXPECT_TRUE(h.dialogs.shown.empty());
}

TEST(Startup, RestoresTheCurrentLogOfARunThatDidNotEnd) {
    LoggerHarness h;
    std::filesystem::create_directory(h.logs());
    const std::string written = "12-05-26:09:41p:SIGN ON :[PC7]=Ann\r\n\r\n";
    h.dir.write("logs/logtemp.txt", written);
    h.startLoggingAll();
    // Every line comes back, the empty last line of the file included.
    EXPECT_EQ(h.presenter.activity().text(), written);
    EXPECT_FALSE(std::filesystem::exists(h.logs() / "logtemp.txt"))
        << "not written again until the next line";
    EXPECT_FALSE(h.presenter.activity().recordedLength());
    h.receive({"[hi"});
    h.drain();
    EXPECT_EQ(h.currentLog(), written + "12-05-26:09:41p:MESSAGE :[hi\r\n\r\n");
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

TEST(Startup, PortHeldByAnotherProgramEndsTheLogger) {
    LoggerHarness h;
    h.dir.write("loggersettings.txt", "[UDPPORT             ]=4111\r\n");
    h.socket.bindResult = [](std::int64_t) { return SocketError{98, "Address in use", true}; };
    EXPECT_FALSE(h.presenter.start({}));
    EXPECT_EQ(h.dialogs.texts(),
              std::vector<std::string>{"Port 4111 is in use.\r\nMost likely Kelvo IM is running on "
                                       "this machine.\r\nClose Kelvo IM and restart the Logger."});
    EXPECT_EQ(h.view.shown, 1) << "the window is shown before the message";
    EXPECT_TRUE(h.view.quit);
    EXPECT_TRUE(h.presenter.ended());
}

TEST(Startup, OtherBindFailureIsReportedAndTheLoggerRuns) {
    LoggerHarness h;
    h.dir.write("loggersettings.txt", "[UDPPORT             ]=abc\r\n");
    PostedWork posted;
    PosixUdpSocket real(h.presenter, [&](auto f) { posted.post(std::move(f)); });
    LoggerPresenter presenter{
        {h.view, h.dialogs, real, h.timer, h.clock, h.lock, h.launcher, h.autoStart}, h.dir.path()};
    EXPECT_TRUE(presenter.start("/m"));
    EXPECT_EQ(presenter.udpport(), "0");
    ASSERT_EQ(h.dialogs.shown.size(), 1u);
    EXPECT_EQ(h.dialogs.shown[0].text, "Error :Port number out of range (1 to 65535)\r\nError #22");
    EXPECT_TRUE(h.view.minimised) << "the start-up went on to its last step";
    EXPECT_FALSE(presenter.ended());
}

TEST(Startup, RealSocketReportsAPortHeldWithOrWithoutAddressReuse) {
    for (bool reuse : {false, true}) {
        LoggerHarness h;
        const int port = freeUdpPort();
        HeldUdpPort held(port, reuse);
        h.dir.write("loggersettings.txt",
                    "[UDPPORT             ]=" + std::to_string(port) + "\r\n");
        PostedWork posted;
        PosixUdpSocket real(h.presenter, [&](auto f) { posted.post(std::move(f)); });
        LoggerPresenter presenter{
            {h.view, h.dialogs, real, h.timer, h.clock, h.lock, h.launcher, h.autoStart},
            h.dir.path()};
        EXPECT_FALSE(presenter.start({}));
        ASSERT_EQ(h.dialogs.shown.size(), 1u);
        EXPECT_TRUE(
            h.dialogs.shown[0].text.starts_with("Port " + std::to_string(port) + " is in use.\r\n"))
            << "reuse " << reuse;
    }
}
