#pragma once

#include "Fakes.h"
#include "TempDir.h"
#include "logger/LoggerPresenter.h"

#ifdef _WIN32
inline constexpr const char* kViewerProgram = "kelvologviewer.exe";
#else
inline constexpr const char* kViewerProgram = "kelvologviewer";
#endif

// Records what the presenter tells its window.
struct RecordingView : LoggerView {
    std::string activity; // the text as the window would show it
    std::size_t queueRows = 0;
    std::vector<std::size_t> removingRows;
    int shown = 0; // times the window was shown
    bool minimised = false, quit = false, replaced = false;

    void changed(Part) override {}
    void queueAppended(std::size_t count) override { queueRows += count; }
    void queueHeadRemoved(std::size_t count) override { queueRows -= count; }
    void userRowRemoving(std::size_t row) override { removingRows.push_back(row); }
    void activityAppended(std::string_view added) override { activity += added; }
    void activityReplaced() override { replaced = true; }
    void activityCaretToEnd() override {}
    void showWindow(bool min) override { ++shown, minimised = min; }
    void minimise() override { minimised = true; }
    void quitProgram() override { quit = true; }
};

struct ManualTimer : Timer {
    bool enabled = false;
    bool backToBack = false;
    void setEnabled(bool e) override { enabled = e; }
    bool isEnabled() const override { return enabled; }
    void setBackToBack(bool b) override { backToBack = b; }
};

struct FixedClock : Clock {
    LocalTime time{2026, 12, 5, 21, 41, 30};
    // Each reading of the monotonic clock moves it on by `step`, as if the work took that long.
    std::chrono::milliseconds step{0};
    std::chrono::steady_clock::time_point steady{};
    LocalTime now() override { return time; }
    std::chrono::steady_clock::time_point monotonic() override { return steady += step; }
};

struct FakeLauncher : ProcessLauncher {
    std::vector<std::filesystem::path> started;
    std::string failure;
    std::string startDetached(const std::filesystem::path& p) override {
        started.push_back(p);
        return failure;
    }
};

struct FakeAutoStart : AutoStart {
    std::vector<int> syncs;
    std::optional<std::string> failure;
    std::optional<std::string> sync(int state) override {
        syncs.push_back(state);
        return failure;
    }
};

// Binds whatever port it is told to, so that no test meets the user's own logger on 4111.
struct FakeSocket : UdpSocket {
    std::int64_t port = 0;
    std::vector<std::int64_t> bound;
    void close() override {}
    void setLocalPort(std::int64_t p) override { port = p; }
    std::int64_t localPort() const override { return port; }
    SocketError bind() override {
        bound.push_back(port);
        return {};
    }
};

struct LoggerHarness {
    TempDir dir;
    RecordingView view;
    ScriptedDialogs dialogs;
    FakeSocket socket;
    ManualTimer timer;
    FixedClock clock;
    FakeLock lock;
    FakeLauncher launcher;
    FakeAutoStart autoStart;

    LoggerPorts ports(UdpSocket& udp) {
        return {view, dialogs, udp, timer, clock, lock, launcher, autoStart};
    }
    // The user's folders for a log the logs folder cannot take at the end, best first.
    std::vector<std::filesystem::path> rescueFolders{dir / "state", dir / "temp"};
    LoggerPresenter presenter{ports(socket), dir.path(), {}, rescueFolders};

    std::filesystem::path logs() const { return dir / "logs"; }
    std::string currentLog() const { return dir.read("logs/logtemp.txt"); }
    void receive(std::vector<std::string> datagrams) { presenter.datagramsArrived(datagrams); }
    // Ticks until the queue is empty, as the timer would.
    void drain() {
        while (timer.enabled)
            presenter.tick();
    }
    // Starts with every filter on, so that each kind of line is logged.
    void startLoggingAll(std::string_view arguments = {});
};
