#pragma once

#include "ScriptedDialogs.h"
#include "TempDir.h"
#include "logger/LoggerPresenter.h"

#include <chrono>
#include <functional>
#include <mutex>

// Records what the presenter tells its window.
struct RecordingView : LoggerView {
    std::string activity; // the text as the window would show it
    std::size_t queueRows = 0;
    std::vector<std::size_t> removingRows;
    int shown = 0; // times the window was shown
    bool minimised = false;
    bool quit = false;
    int caretMoves = 0;

    void changed(Part) override {}
    void queueAppended(std::size_t count) override { queueRows += count; }
    void queueHeadRemoved() override { --queueRows; }
    void userRowRemoving(std::size_t row) override { removingRows.push_back(row); }
    void activityAppended(std::string_view added) override { activity += added; }
    void activityReplaced() override { replaced = true; }
    void activityCaretToEnd() override { ++caretMoves; }
    void showWindow(bool min) override { ++shown, minimised = min; }
    void minimise() override { minimised = true; }
    void quitProgram() override { quit = true; }
    bool replaced = false;
};

struct ManualTimer : Timer {
    bool enabled = false;
    void setEnabled(bool e) override { enabled = e; }
    bool isEnabled() const override { return enabled; }
};

struct FixedClock : Clock {
    LocalTime time{2026, 12, 5, 21, 41, 30};
    LocalTime now() override { return time; }
};

struct FakeLock : InstanceLock {
    bool free = true;
    bool acquire() override { return free; }
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

// A socket that binds what it is told to, or fails as scripted.
struct FakeSocket : UdpSocket {
    std::int64_t port = 0;
    std::vector<std::int64_t> bound;
    std::function<SocketError(std::int64_t)> bindResult = [](std::int64_t) {
        return SocketError{};
    };
    bool open = false;
    void close() override { open = false; }
    void setLocalPort(std::int64_t p) override { port = p; }
    std::int64_t localPort() const override { return port; }
    SocketError bind() override {
        auto err = bindResult(port);
        if (!err) bound.push_back(port), open = true;
        return err;
    }
};

// Work that a socket's receive thread hands to "the window's thread": here, the test's.
class PostedWork {
public:
    void post(std::function<void()> f) {
        std::lock_guard lock(m_mutex);
        m_work.push_back(std::move(f));
    }
    // Runs posted work until `done` holds; false if it does not within the deadline.
    bool runUntil(const std::function<bool()>& done,
                  std::chrono::milliseconds deadline = std::chrono::seconds(10));

private:
    std::mutex m_mutex;
    std::vector<std::function<void()>> m_work;
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
    LoggerPresenter presenter{{view, dialogs, socket, timer, clock, lock, launcher, autoStart},
                              dir.path()};

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
