#include "LoggerHarness.h"
#include "SocketLogger.h"
#include "Udp.h"
#include "platform/win32/NamedMutexLock.h"
#include "platform/win32/SessionEnd.h"
#include "platform/win32/WinTimer.h"

#include <chrono>
#include <gtest/gtest.h>
#include <windows.h>

using Strings = std::vector<std::string>;

namespace {
// Runs the thread's message loop until `done` holds; false if it does not within ten seconds.
bool pumpUntil(const std::function<bool()>& done) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!done()) {
        if (std::chrono::steady_clock::now() > end) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&msg);
    }
    return true;
}
} // namespace

// Back to back in bursts of a thousand: as many as the receive buffer holds for certain
// under Wine, where Linux caps the buffer and a loaded machine may starve the receiver.
TEST(WinUdpSocket, FiftyThousandInBurstsArriveWholeAndInOrder) {
    SocketLogger l;
    ASSERT_TRUE(l.presenter.start({}));
    constexpr std::size_t kCount = 50'000, kBurst = 1'000;
    Strings sent;
    while (sent.size() < kCount) {
        for (std::size_t i = 0; i < kBurst; ++i) {
            const std::size_t n = sent.size();
            sent.push_back("[" + std::to_string(n) + (n % 100 == 0 ? "\r\nsecond line" : ""));
            sendUdp(l.port, sent.back());
        }
        ASSERT_TRUE(l.waitForQueue(sent.size())) << l.presenter.cue().size() << " arrived";
    }
    EXPECT_EQ(Strings(l.presenter.cue().begin(), l.presenter.cue().end()), sent);
    EXPECT_EQ(l.presenter.dropped(), 0u);
}

TEST(WinUdpSocket, APortInUseIsRecognisedByItsErrorCode) {
    const int port = freeUdpPort();
    HeldUdpPort held(port);
    SocketLogger l;
    l.socket.setLocalPort(port);
    const SocketError err = l.socket.bind();
    EXPECT_TRUE(err.addressInUse) << err.number << " " << err.description;
    EXPECT_FALSE(err.description.empty());
}

TEST(NamedMutexLock, ASecondInstanceIsRefusedUntilTheFirstEnds) {
    auto first = std::make_unique<NamedMutexLock>("kelvo-test-lock");
    NamedMutexLock second("kelvo-test-lock"), other("kelvo-test-other");
    EXPECT_TRUE(first->acquire());
    EXPECT_TRUE(first->acquire()) << "holding it already";
    EXPECT_FALSE(second.acquire());
    EXPECT_TRUE(other.acquire()) << "each program has a lock of its own";
    first.reset();
    EXPECT_TRUE(second.acquire()) << "the name goes with its last handle";
}

TEST(WinTimer, TicksThroughTheMessageLoopOnlyWhileEnabled) {
    int ticks = 0;
    WinTimer timer(10, [&] { ++ticks; });
    EXPECT_FALSE(timer.isEnabled());
    timer.setEnabled(true);
    EXPECT_TRUE(timer.isEnabled());
    EXPECT_TRUE(pumpUntil([&] { return ticks >= 3; }));
    timer.setEnabled(false);
    const int stopped = ticks;
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageW(&msg);
    EXPECT_EQ(ticks, stopped);
}

TEST(SessionEnd, EndsTheLoggerAsNoInTheExitQuestionDoes) {
    LoggerHarness h;
    h.startLoggingAll();
    h.receive({"[one"});
    h.presenter.tick();
    h.receive({"***[PC7]=Ann", "[still queued"});
    const auto end = [&] { h.presenter.terminate(); };
    std::intptr_t result = 0;
    ASSERT_TRUE(handleSessionEnd(WM_QUERYENDSESSION, 0, end, result));
    EXPECT_EQ(result, TRUE) << "the logger never holds the session up";
    EXPECT_FALSE(h.presenter.ended());
    ASSERT_TRUE(handleSessionEnd(WM_ENDSESSION, FALSE, end, result));
    EXPECT_FALSE(h.presenter.ended()) << "another program refused: the session goes on";
    ASSERT_TRUE(handleSessionEnd(WM_ENDSESSION, TRUE, end, result));
    EXPECT_TRUE(h.presenter.ended() && h.view.quit);
    EXPECT_EQ(h.dir.read("loggersettings.txt"), settings::fileText({1, 1, 1, 1, 1, 0}, "4111"));
    EXPECT_EQ(h.dir.read("logs/log261205214130.txt"),
              "12-05-26:09:41p:MESSAGE :[one\r\n12-05-26:09:41p:SIGN ON :[PC7]=Ann\r\n"
              "12-05-26:09:41p:MESSAGE :[still queued\r\n\r\n");
    EXPECT_FALSE(handleSessionEnd(WM_CLOSE, 0, end, result));
}
