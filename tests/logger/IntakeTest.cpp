#include "SocketLogger.h"
#include "Udp.h"

#include <gtest/gtest.h>

using Strings = std::vector<std::string>;

namespace {
class Intake : public ::testing::Test, protected SocketLogger {
protected:
    void SetUp() override {
        ASSERT_TRUE(presenter.start({}));
        ASSERT_TRUE(h.dialogs.shown.empty());
    }
    Strings queued() const { return {presenter.cue().begin(), presenter.cue().end()}; }
};
} // namespace

TEST_F(Intake, KeepsEveryDatagramWholeAndInOrder) {
    const Strings sent = {"***[PC7]=Ann", "line\r\nbreak", std::string("n\0l", 3), "",
                          std::string(65507, 'x')};
    for (const auto& d : sent)
        sendUdp(port, d);
    ASSERT_TRUE(waitForQueue(sent.size()));
    EXPECT_EQ(queued(), sent);
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
}

TEST_F(Intake, SocketErrorSaysUdpErrorAndChangesNothing) {
    ASSERT_TRUE(receives(port));
    presenter.socketError();
    EXPECT_EQ(h.dialogs.texts(), Strings{"UDP Error"});
    EXPECT_EQ(presenter.cue().size(), 1u);
    EXPECT_TRUE(receives(port)) << "the socket still listens";
}

TEST(IntakeLimits, AFullQueueDropsAndCountsAndTakesMoreOnceItDrains) {
    LoggerHarness h;
    LoggerPresenter presenter{h.ports(h.socket), h.dir.path(), {.lines = 3, .bytes = 9}};
    ASSERT_TRUE(presenter.start({}));
    Strings batch = {"[1", "[2", "[3", "[4", "[5"};
    presenter.datagramsArrived(batch);
    EXPECT_EQ(presenter.cue().size(), 3u);
    EXPECT_EQ(presenter.accepted(), 3u);
    EXPECT_EQ(presenter.dropped(), 2u);
    EXPECT_EQ(h.view.queueRows, 3u) << "the window hears only of what was kept";
    presenter.tick();
    batch = {"[six..", "[7"}; // 6 bytes do not fit beside the 4 queued, 2 do
    presenter.datagramsArrived(batch);
    EXPECT_EQ(Strings(presenter.cue().begin(), presenter.cue().end()), (Strings{"[2", "[3", "[7"}));
    EXPECT_EQ(presenter.dropped(), 3u);
}

TEST(IntakeLimits, TheSocketHoldsOnlyWhatItMayWhileTheWindowIsBusy) {
    // Nothing runs what the socket posts: the window's thread does not get round to it.
    SocketLogger busy({}, {.datagrams = 5, .bytes = 1 << 20});
    ASSERT_TRUE(busy.presenter.start({}));
    for (int i = 0; i < 12; ++i)
        sendUdp(busy.port, "[" + std::to_string(i));
    busy.socket.close(); // hands over what it holds, synchronously
    EXPECT_EQ(Strings(busy.presenter.cue().begin(), busy.presenter.cue().end()),
              (Strings{"[0", "[1", "[2", "[3", "[4"}));
    EXPECT_EQ(busy.presenter.dropped(), 7u);
}
