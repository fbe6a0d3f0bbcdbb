#include "LoggerHarness.h"
#include "Udp.h"
#include "platform/PosixUdpSocket.h"

#include <gtest/gtest.h>

namespace {
// The presenter on a real socket bound to a free port on this machine.
class Intake : public ::testing::Test {
protected:
    void SetUp() override {
        h.dir.write("loggersettings.txt",
                    "[UDPPORT             ]=" + std::to_string(port) + "\r\n");
        ASSERT_TRUE(presenter.start({}));
        ASSERT_TRUE(h.dialogs.shown.empty());
    }
    bool waitForQueue(std::size_t n) {
        return posted.runUntil([&] { return presenter.cue().size() >= n; });
    }

    LoggerHarness h;
    int port = freeUdpPort();
    PostedWork posted;
    PosixUdpSocket socket{presenter, [this](auto f) { posted.post(std::move(f)); }};
    LoggerPresenter presenter{
        {h.view, h.dialogs, socket, h.timer, h.clock, h.lock, h.launcher, h.autoStart},
        h.dir.path()};
};
} // namespace

TEST_F(Intake, KeepsEveryDatagramWholeAndInOrder) {
    const std::vector<std::string> sent = {"***[PC7]=Ann", "line\r\nbreak", std::string("n\0l", 3),
                                           "", std::string(65507, 'x')};
    for (const auto& d : sent)
        sendUdp(port, d);
    ASSERT_TRUE(waitForQueue(sent.size()));
    EXPECT_EQ(std::vector<std::string>(presenter.cue().begin(), presenter.cue().end()), sent);
    EXPECT_EQ(h.view.queueRows, sent.size());
    EXPECT_TRUE(h.timer.enabled);
}

TEST_F(Intake, MeterShowsFourPerLineUpToAHundred) {
    for (int i = 1; i <= 30; ++i) {
        sendUdp(port, "[" + std::to_string(i));
        ASSERT_TRUE(waitForQueue(static_cast<std::size_t>(i)));
        EXPECT_EQ(presenter.cuetotal(), static_cast<std::size_t>(i));
        EXPECT_EQ(presenter.traffic(), std::min(4 * i, 100)) << i;
    }
    // Draining brings it back down: 100 while 25 or more wait, then 4 less a line.
    std::vector<int> meter;
    while (h.timer.enabled) {
        presenter.tick();
        meter.push_back(presenter.traffic());
    }
    EXPECT_EQ(meter[4], 100);
    EXPECT_EQ(meter[5], 96);
    EXPECT_EQ(meter.back(), 0);
    EXPECT_EQ(presenter.cuetotal(), 0u);
}

TEST_F(Intake, SocketErrorSaysUdpErrorAndChangesNothing) {
    sendUdp(port, "[a");
    ASSERT_TRUE(waitForQueue(1));
    presenter.socketError();
    EXPECT_EQ(h.dialogs.texts(), std::vector<std::string>{"UDP Error"});
    EXPECT_EQ(presenter.cue().size(), 1u);
    sendUdp(port, "[b");
    EXPECT_TRUE(waitForQueue(2)) << "the socket still listens";
}
