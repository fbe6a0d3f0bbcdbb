#pragma once

#include "ActivityLog.h"
#include "AutoStart.h"
#include "LoggerView.h"
#include "Settings.h"
#include "Traffic.h"
#include "UsersTable.h"
#include "platform/Dialogs.h"
#include "platform/InstanceLock.h"
#include "platform/ProcessLauncher.h"
#include "platform/Timer.h"
#include "platform/UdpSocket.h"

#include <chrono>
#include <deque>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

struct LoggerPorts {
    LoggerView& view;
    Dialogs& dialogs;
    UdpSocket& socket;
    Timer& timer; // Timer1: 120 ms, drives tick()
    Clock& clock;
    InstanceLock& instance;
    ProcessLauncher& launcher;
    AutoStart& autoStart;
};

// A flood must not exhaust memory: past either limit a datagram is dropped and counted.
struct QueueLimits {
    std::size_t lines = 1'000'000;
    std::size_t bytes = std::size_t{256} << 20;
};

// The logger's window logic: owns what the window shows and runs every event handler, in
// order, without drawing or blocking on a widget itself.
class LoggerPresenter : public DatagramSink, private ActivityObserver {
public:
    static constexpr std::string_view kVersion = "1.0.1";
    static constexpr int kTickMs = 120;
    // From this many queued lines on (the traffic meter full) the logger catches up: a tick
    // takes line after line until the queue is empty or its budget is spent (the lines, the
    // one write of the current log and the window's update, as long as the last tick's took,
    // stay within kTickBudget), and ticks follow at once while lines wait. The catch-up ends
    // when a whole interval passes without a line.
    static constexpr std::size_t kCatchUpQueued = 25;
    static constexpr std::chrono::milliseconds kTickBudget{40};
    // The viewer is started from programFolder; the logs and the settings live in
    // logfiles::filesFolder(programFolder). `rescueFolders`: the user's folders, best first,
    // that take the log at the end when the logs folder cannot.
    LoggerPresenter(LoggerPorts ports, std::filesystem::path programFolder, QueueLimits limits = {},
                    const std::vector<std::filesystem::path>& rescueFolders = {});

    // The start-up. False when the program ends during it (another instance, or the
    // listening port held by another program).
    bool start(std::string_view arguments);
    bool ended() const { return m_ended; }
    // False while no port is bound, after a start whose port could not be bound.
    bool listening() const { return m_listening; }

    // Events.
    void datagramsArrived(std::vector<std::string>& batch) override;
    void datagramsDropped(std::size_t count) override;
    void socketError() override;
    void tick();
    void clickSwitch(settings::Setting which);
    void clickColumn(UsersTable::Column column);
    void changePort();
    void viewLogs();
    // The window is asked to close. True when it stays open.
    bool closeRequested();
    // Ends the logger in order: settings saved, queued lines logged, text archived.
    void terminate();

    // Routines.
    void loadsettings();
    void savesettings();

    // State the window shows.
    const std::string& label3() const { return m_label3; }
    int switchState(settings::Setting which) const { return m_switches[index(which)]; }
    const std::string& udpport() const { return m_udpport; }
    const std::deque<std::string>& cue() const { return m_cue; }
    std::size_t cuetotal() const { return m_cuetotal; }
    int traffic() const { return m_traffic; }
    std::uint64_t accepted() const { return m_accepted; }
    std::uint64_t dropped() const { return m_dropped; }
    // Beside "Network Traffic": how many datagrams were dropped, or nothing while none was.
    std::string droppedText() const;
    const UsersTable& users() const { return m_users; }
    const ActivityLog& activity() const { return m_activity; }
    const std::filesystem::path& filesFolder() const { return m_filesFolder; }

private:
    static std::size_t index(settings::Setting s) { return static_cast<std::size_t>(s); }
    void setSwitch(settings::Setting which, int state);
    void setCuetotal(std::size_t count);
    void syncStartWithWindows();
    SocketError setUpSocket(std::int64_t port);
    bool bindAtStart();
    void handleLine(const std::string& line);
    void updateUsers(traffic::Kind kind, std::string_view line);
    void bringBackRescuedLogs();
    void archiveAtEnd();
    void showTick(std::size_t taken, std::size_t activityBefore);
    void endProgram();
    SocketError rebind(std::int64_t port);
    void reportPortFailure(const SocketError& err, std::int64_t port);
    // Tells the user of a failure once, and again only after the same thing worked in between.
    void tellOnce(bool& told, const std::optional<std::string>& failure);

    void activityReplaced() override;
    void logFileWritten(const std::filesystem::path& path, std::error_code result) override;

    LoggerPorts m_ports;
    std::filesystem::path m_programFolder;
    std::filesystem::path m_filesFolder;
    QueueLimits m_limits;
    bool m_ended = false;
    bool m_ending = false;
    bool m_listening = false;
    bool m_inTick = false;
    bool m_catchingUp = false;
    bool m_terminateAfterTick = false;
    bool m_activityReplacedInTick = false;
    std::chrono::steady_clock::duration m_lastSave{};
    std::chrono::steady_clock::duration m_windowPerLine = std::chrono::microseconds(10);

    std::string m_label3 = "version";
    settings::Switches m_switches = {1, 0, 0, 0, 0, 0};
    std::string m_udpport{settings::kDefaultPort};
    std::string m_bindStep;

    std::deque<std::string> m_cue;
    std::size_t m_cuetotal = 0;
    std::size_t m_queuedBytes = 0;
    std::uint64_t m_accepted = 0;
    std::uint64_t m_dropped = 0;
    int m_traffic = 0;

    UsersTable m_users;
    ActivityLog m_activity;
    LogRescue m_rescue;

    bool m_toldLogWrite = false;
    bool m_toldSettingsWrite = false;
    bool m_toldAutoStart = false;
};
