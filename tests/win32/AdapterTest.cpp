#include "LoggerHarness.h"
#include "SocketLogger.h"
#include "TempDir.h"
#include "Udp.h"
#include "logger/win32/Form1.h"
#include "platform/win32/NamedMutexLock.h"
#include "platform/win32/Utf16.h"
#include "platform/win32/WinDateNames.h"
#include "platform/win32/WinDialogs.h"
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

// Back to back in bursts of a thousand. Under Wine each datagram costs the receiving thread
// about what it costs the sender (a round trip to Wine's server each), and Linux caps the
// buffer Wine asks for at net.core.rmem_max: one burst of 50,000 lost thousands here at a load
// of 3, however the receiving thread was scheduled.
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
    EXPECT_TRUE(first->acquire({}));
    EXPECT_TRUE(first->acquire({})) << "holding it already";
    EXPECT_FALSE(second.acquire({}));
    EXPECT_TRUE(other.acquire({})) << "each program has a lock of its own";
    first.reset();
    EXPECT_TRUE(second.acquire({})) << "the name goes with its last handle";
}

// Another user's or session's logger in the same folder holds its lock file, which no
// mutex of this session shows.
TEST(NamedMutexLock, AFolderHeldFromElsewhereIsRefusedAndFreesTheProgramLock) {
    TempDir dir;
    const auto lockFile = dir.path() / "kelvo-test-folder.lock";
    const HANDLE elsewhere = CreateFileW(lockFile.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                         OPEN_ALWAYS, FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    ASSERT_NE(elsewhere, INVALID_HANDLE_VALUE);
    NamedMutexLock lock("kelvo-test-folder");
    EXPECT_FALSE(lock.acquire(dir.path()));
    EXPECT_TRUE(lock.acquire(dir.path() / "another")) << "a folder that cannot hold the file";
    CloseHandle(elsewhere);

    NamedMutexLock next("kelvo-test-folder2");
    ASSERT_TRUE(next.acquire(dir.path()));
    const auto held = dir.path() / "kelvo-test-folder2.lock";
    EXPECT_EQ(CreateFileW(held.c_str(), GENERIC_READ,
                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                          OPEN_EXISTING, 0, nullptr),
              INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
}

TEST(WinTimer, TicksThroughTheMessageLoopAtEitherPaceOnlyWhileEnabled) {
    int ticks = 0;
    WinTimer timer(10, [&] { ++ticks; });
    EXPECT_FALSE(timer.isEnabled());
    timer.setEnabled(true);
    EXPECT_TRUE(timer.isEnabled());
    EXPECT_TRUE(pumpUntil([&] { return ticks >= 3; }));
    timer.setBackToBack(true); // a new pace, the timer set anew
    EXPECT_TRUE(timer.isEnabled());
    const int before = ticks;
    EXPECT_TRUE(pumpUntil([&] { return ticks >= before + 3; }));
    timer.setEnabled(false);
    const int stopped = ticks;
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageW(&msg);
    EXPECT_EQ(ticks, stopped);
}

// Windows ends the session through the logger's real window: the same orderly end as "No".
TEST(SessionEnd, EndsTheLoggerAsNoInTheExitQuestionDoes) {
    LoggerHarness h;
    Form1 window;
    LoggerPresenter presenter{
        {window, h.dialogs, h.socket, h.timer, h.clock, h.lock, h.launcher, h.autoStart},
        h.dir.path()};
    window.attach(presenter);
    h.dir.write("loggersettings.txt", settings::fileText({1, 1, 1, 1, 1, 0}, "4111"));
    ASSERT_TRUE(presenter.start({}));
    Strings batch = {"[one"};
    presenter.datagramsArrived(batch);
    presenter.tick();
    batch = {"***[PC7]=Ann", "[still queued"};
    presenter.datagramsArrived(batch);
    const HWND hwnd = window.handle();
    EXPECT_EQ(SendMessageW(hwnd, WM_QUERYENDSESSION, 0, 0), TRUE) << "never holds it up";
    SendMessageW(hwnd, WM_ENDSESSION, FALSE, 0);
    EXPECT_FALSE(presenter.ended()) << "another program refused: the session goes on";
    SendMessageW(hwnd, WM_ENDSESSION, TRUE, 0);
    EXPECT_TRUE(presenter.ended());
    MSG quit;
    EXPECT_TRUE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "the loop ends";
    EXPECT_TRUE(h.dialogs.shown.empty());
    EXPECT_EQ(h.dir.read("loggersettings.txt"), settings::fileText({1, 1, 1, 1, 1, 0}, "4111"));
    EXPECT_EQ(h.dir.read("logs/log261205214130.txt"),
              "12-05-26:09:41p:MESSAGE :[one\r\n12-05-26:09:41p:SIGN ON :[PC7]=Ann\r\n"
              "12-05-26:09:41p:MESSAGE :[still queued\r\n\r\n");
    EXPECT_FALSE(std::filesystem::exists(h.logs() / "logtemp.txt"));
    window.detach();
}

TEST(LoggerWindow, CountsDatagramsDroppedWhileTheBufferIsFull) {
    LoggerHarness h;
    Form1 window;
    LoggerPresenter presenter{
        {window, h.dialogs, h.socket, h.timer, h.clock, h.lock, h.launcher, h.autoStart},
        h.dir.path(),
        {.lines = 2}};
    window.attach(presenter);
    ASSERT_TRUE(presenter.start({}));
    EXPECT_EQ(window.droppedShown(), L"");
    Strings batch = {"[1", "[2", "[3", "[4", "[5"};
    presenter.datagramsArrived(batch);
    EXPECT_EQ(window.droppedShown(), L"3 dropped (buffer full)");
    window.detach();
}

TEST(WinDateNames, AreTheUserLocalesAbbreviations) {
    const WinDateNames names;
    for (WORD month = 1; month <= 12; ++month) {
        SYSTEMTIME t{};
        t.wYear = 2026;
        t.wMonth = month;
        t.wDay = static_cast<WORD>(month); // 2026-03-01 is a Sunday: all seven days come by
        wchar_t day[16], mon[16];
        GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, 0, &t, L"ddd", day, 16, nullptr);
        GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, 0, &t, L"MMM", mon, 16, nullptr);
        const LocalTime local{2026, month, month};
        EXPECT_EQ(names.month(month), narrow(mon));
        EXPECT_EQ(names.weekday(weekday(local)), narrow(day)) << month;
    }
}

TEST(WinDialogs, TheInputBoxGivesWhatWasTypedOrNothingOnCancel) {
    // The box runs its own message loop; a thread timer answers it from inside that loop.
    static int s_answer = IDOK;
    const auto answer = [](HWND, UINT, UINT_PTR id, DWORD) {
        const HWND box = FindWindowW(L"#32770", L"Change your Ports");
        if (!box) return;
        KillTimer(nullptr, id);
        SetDlgItemTextW(box, 102, L" 4112 ");
        SendMessageW(box, WM_COMMAND, static_cast<WPARAM>(s_answer), 0);
    };
    WinDialogs dialogs("kelvologger");
    for (int button : {IDOK, IDCANCEL}) {
        s_answer = button;
        SetTimer(nullptr, 0, 50, answer);
        const auto typed = dialogs.input("Change your Ports", "Port:\r\n", "4111");
        EXPECT_EQ(typed, button == IDOK ? std::optional<std::string>(" 4112 ") : std::nullopt);
    }
}
