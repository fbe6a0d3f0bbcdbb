#include "LoggerPresenter.h"

#include "Traffic.h"
#include "logfiles/CodePage.h"
#include "logfiles/FilesFolder.h"
#include "logfiles/LogNames.h"
#include "logfiles/TextFile.h"

#include <algorithm>
#include <cctype>

using settings::Setting;

namespace {
constexpr std::uintmax_t kMaxSettingsFile = 1 << 20;

std::string describe(const std::filesystem::path& path, std::error_code ec) {
    return path.string() + "\r\n" + ec.message();
}

std::chrono::steady_clock::rep lines(std::size_t count) {
    return static_cast<std::chrono::steady_clock::rep>(count);
}

std::string lowerAscii(std::string_view s) {
    std::string r(s);
    for (auto& c : r)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return r;
}
} // namespace

LoggerPresenter::LoggerPresenter(LoggerPorts ports, std::filesystem::path programFolder,
                                 QueueLimits limits,
                                 const std::vector<std::filesystem::path>& rescueFolders)
    : m_ports(ports), m_programFolder(std::move(programFolder)),
      m_filesFolder(logfiles::filesFolder(m_programFolder)), m_limits(limits),
      m_activity(logfiles::logsFolder(m_filesFolder), ports.clock, *this),
      m_rescue(rescueFolders, logfiles::logsFolder(m_filesFolder)) {}

bool LoggerPresenter::start(std::string_view arguments) {
    // Not "v" + std::string(...): GCC 12 at -O3 warns falsely of overlapping copies there.
    const std::string version = std::string("v").append(kVersion);
    // The files' folder too: a second logger with another environment must not clear its files.
    if (!m_ports.instance.acquire(m_filesFolder)) {
        m_ports.dialogs.message("Kelvo Logger " + version + "\r\n     is already running.");
        m_ended = true;
        return false;
    }
    m_label3 = version;
    m_ports.view.changed(LoggerView::Part::version);
    loadsettings();

    const auto logs = logfiles::logsFolder(m_filesFolder);
    std::error_code ec;
    std::filesystem::create_directories(logs, ec);
    if (ec)
        m_ports.dialogs.message("The logs folder cannot be created, so nothing can be saved:\r\n" +
                                describe(logs, ec));
    logfiles::removeLeftoverTemporaries(logs);
    if (const auto restored = m_activity.restore(); restored.error)
        m_ports.dialogs.message("The log of the last run cannot be read back:\r\n" +
                                describe(logfiles::currentLogPath(m_filesFolder), restored.error) +
                                (restored.keptAs.empty()
                                     ? std::string()
                                     : "\r\nIt is kept as " + restored.keptAs.string()));
    bringBackRescuedLogs();

    if (!bindAtStart()) return false;
    m_ports.view.showWindow(lowerAscii(arguments) == "/m");
    return true;
}

bool LoggerPresenter::bindAtStart() {
    m_bindStep.clear();
    const double port = settings::roundHalfEven(settings::leadingNumber(m_udpport));
    const auto err = setUpSocket(std::abs(port) < 1e12 ? static_cast<std::int64_t>(port) : -1);
    if (!err) return true;
    m_ports.view.showWindow(false);
    if (err.addressInUse) {
        if (m_bindStep == "DiscoveryPort")
            m_ports.dialogs.message("Port " + std::to_string(m_ports.socket.localPort()) +
                                    " is in use.\r\nMost likely Kelvo IM is running on this "
                                    "machine.\r\nClose Kelvo IM and restart the Logger.");
        endProgram();
        return false;
    }
    m_ports.dialogs.message("Error :" + err.description + "\r\nError #" +
                            std::to_string(err.number));
    return true;
}

// The steps that close, configure and bind the socket, at start-up and for a new port.
SocketError LoggerPresenter::setUpSocket(std::int64_t port) {
    m_ports.socket.close();
    m_ports.socket.setLocalPort(port);
    m_bindStep = "DiscoveryPort";
    auto err = m_ports.socket.bind();
    m_listening = !err;
    return err;
}

void LoggerPresenter::bringBackRescuedLogs() {
    for (const auto& left : m_rescue.bringBack())
        m_ports.dialogs.message("The log saved outside the logs folder at the last end cannot be "
                                "brought back; it stays in:\r\n" +
                                describe(left.path, left.error));
}

void LoggerPresenter::loadsettings() {
    const auto path = m_filesFolder / std::string(settings::kFileName);
    std::string text;
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) {
        text = settings::fileText(settings::kDefaultSwitches, settings::kDefaultPort);
        // Unwritable, the defaults still apply: they are what the file would have held.
        tellOnce(m_toldSettingsWrite, [&]() -> std::optional<std::string> {
            if (auto err = logfiles::writeAtomically(path, text))
                return "The settings cannot be saved:\r\n" + describe(path, err);
            return std::nullopt;
        }());
    } else if (auto err = logfiles::readText(path, text, kMaxSettingsFile)) {
        m_ports.dialogs.message("The settings cannot be read; the defaults apply:\r\n" +
                                describe(path, err));
        text = settings::fileText(settings::kDefaultSwitches, settings::kDefaultPort);
    }
    for (const auto& record : settings::readRecords(text)) {
        if (record.setting == Setting::udpport) {
            m_udpport = settings::portText(record.value);
            m_ports.view.changed(LoggerView::Part::port);
        } else if (const auto state = settings::switchState(record.value)) {
            setSwitch(record.setting, *state);
        }
    }
}

void LoggerPresenter::savesettings() {
    const auto path = m_filesFolder / std::string(settings::kFileName);
    const auto err = logfiles::writeAtomically(path, settings::fileText(m_switches, m_udpport));
    tellOnce(m_toldSettingsWrite,
             err ? std::optional("The settings cannot be saved:\r\n" + describe(path, err))
                 : std::nullopt);
    syncStartWithWindows();
}

void LoggerPresenter::setSwitch(Setting which, int state) {
    auto& current = m_switches[index(which)];
    if (current == state) return;
    current = state;
    m_ports.view.changed(LoggerView::Part::switches);
    if (which == Setting::startwithwindows) syncStartWithWindows();
}

void LoggerPresenter::clickSwitch(Setting which) {
    if (m_ended || which == Setting::udpport) return;
    setSwitch(which, switchState(which) == 1 ? 0 : 1);
    // The start-at-logon switch touches only its registry entry, not the file.
    if (which != Setting::startwithwindows) savesettings();
}

void LoggerPresenter::syncStartWithWindows() {
    const auto failure = m_ports.autoStart.sync(switchState(Setting::startwithwindows));
    tellOnce(m_toldAutoStart,
             failure ? std::optional("The start at logon cannot be set up:\r\n" + *failure)
                     : std::nullopt);
}

void LoggerPresenter::tellOnce(bool& told, const std::optional<std::string>& failure) {
    if (!failure) {
        told = false;
        return;
    }
    if (told) return;
    told = true;
    m_ports.dialogs.message(*failure);
}

void LoggerPresenter::datagramsArrived(std::vector<std::string>& batch) {
    if (m_ended) return;
    std::size_t kept = 0;
    for (auto& datagram : batch) {
        if (m_cue.size() >= m_limits.lines || m_queuedBytes + datagram.size() > m_limits.bytes)
            continue;
        m_queuedBytes += datagram.size();
        m_cue.push_back(std::move(datagram));
        ++kept;
    }
    m_accepted += kept;
    if (kept < batch.size()) datagramsDropped(batch.size() - kept);
    if (kept == 0) return;
    m_ports.view.queueAppended(kept);
    setCuetotal(m_cue.size());
    if (m_cue.size() >= kCatchUpQueued) m_catchingUp = true;
    m_ports.timer.setBackToBack(m_catchingUp && !m_inTick);
    m_ports.timer.setEnabled(true);
}

void LoggerPresenter::datagramsDropped(std::size_t count) {
    if (m_ended || count == 0) return;
    m_dropped += count;
    m_ports.view.changed(LoggerView::Part::dropped);
}

std::string LoggerPresenter::droppedText() const {
    return m_dropped == 0 ? std::string() : std::to_string(m_dropped) + " dropped (buffer full)";
}

void LoggerPresenter::socketError() {
    if (!m_ended) m_ports.dialogs.message("UDP Error");
}

void LoggerPresenter::setCuetotal(std::size_t count) {
    if (count == m_cuetotal) return;
    m_cuetotal = count;
    m_traffic = static_cast<int>(std::min<std::size_t>(count, 25) * 4);
    m_ports.view.changed(LoggerView::Part::traffic);
}

void LoggerPresenter::tick() {
    // A message box opened inside a tick runs the event loop, and with it the timer: the
    // line in hand must be finished before the next one is taken.
    if (m_ended || m_inTick) return;
    if (m_cue.empty()) {
        // A whole interval without a line: the backlog is over.
        m_catchingUp = false;
        m_ports.timer.setEnabled(false);
        return;
    }
    m_inTick = true;
    // While a box opened in this tick waits, ticks would only come back at once, and spin.
    m_ports.timer.setBackToBack(false);
    m_activityReplacedInTick = false;
    const auto activityBefore = m_activity.text().size();
    const auto started = m_ports.clock.monotonic();
    std::size_t taken = 0;
    do {
        handleLine(m_cue.front());
        m_queuedBytes -= m_cue.front().size();
        m_cue.pop_front();
        ++taken;
        // Every line's lookup sees the table in user-name order, as after a tick of its own.
        m_users.sortBy(UsersTable::userColumn);
    } while (m_catchingUp && !m_cue.empty() &&
             m_ports.clock.monotonic() - started + m_lastSave + m_windowPerLine * lines(taken) <
                 kTickBudget);
    const auto linesTaken = m_ports.clock.monotonic();
    m_activity.saveCurrentLog();
    const auto saved = m_ports.clock.monotonic();
    showTick(taken, activityBefore);
    m_lastSave = saved - linesTaken;
    // A tick of a few lines says more about the window's fixed costs than about its cost a line.
    if (taken >= 100) m_windowPerLine = (m_ports.clock.monotonic() - saved) / lines(taken);
    m_inTick = false;
    if (m_terminateAfterTick) terminate();
}

void LoggerPresenter::handleLine(const std::string& line) {
    const auto kind = traffic::classify(line);
    updateUsers(kind, line);

    const auto filter = [this](Setting s) { return switchState(s); };
    const bool logged = kind == traffic::Kind::signOn    ? filter(Setting::signons) != 0
                        : kind == traffic::Kind::signOff ? filter(Setting::signoffs) != 0
                        : kind == traffic::Kind::hello   ? filter(Setting::hellos) != 0
                        : kind == traffic::Kind::message ? filter(Setting::messages) != 0
                                                         : filter(Setting::junk) == 1;
    if (logged)
        m_activity.append(std::string(traffic::label(kind)) +
                          std::string(traffic::payload(kind, line)));
}

// The window hears of a tick once, however many lines it took, and draws it once.
void LoggerPresenter::showTick(std::size_t taken, std::size_t activityBefore) {
    m_ports.view.queueHeadRemoved(taken);
    setCuetotal(m_cue.size());
    // Caught up, the timer waits one more interval: a backlog's last lines may still come.
    if (m_cue.empty() && !m_catchingUp) m_ports.timer.setEnabled(false);
    m_ports.timer.setBackToBack(m_catchingUp && !m_cue.empty());
    m_ports.view.changed(LoggerView::Part::users);
    const std::string& text = m_activity.text();
    if (m_activityReplacedInTick)
        m_ports.view.activityReplaced();
    else if (text.size() > activityBefore)
        m_ports.view.activityAppended(std::string_view(text).substr(activityBefore));
    m_ports.view.activityCaretToEnd();
}

// Sign-ons and hellos add their user unless listed; sign-offs remove it. Every line counts,
// whatever the filters.
void LoggerPresenter::updateUsers(traffic::Kind kind, std::string_view line) {
    if (kind == traffic::Kind::message || kind == traffic::Kind::junk) return;
    std::string key = logfiles::toUpper1252(traffic::identity(line));
    if (kind == traffic::Kind::signOff) {
        if (const auto row = m_users.lookup(key)) {
            m_ports.view.userRowRemoving(*row);
            m_users.removeAt(*row);
        }
        return;
    }
    auto names = traffic::splitNames(line);
    m_users.addIfAbsent(std::move(key), std::move(names.user), std::move(names.computer));
}

void LoggerPresenter::clickColumn(UsersTable::Column column) {
    if (m_ended) return;
    m_users.sortBy(column);
    m_ports.view.changed(LoggerView::Part::users);
}

void LoggerPresenter::endProgram() {
    m_ended = true;
    m_ports.timer.setEnabled(false);
    m_ports.socket.close();
    m_ports.view.quitProgram();
}

void LoggerPresenter::activityReplaced() {
    if (m_inTick)
        m_activityReplacedInTick = true;
    else
        m_ports.view.activityReplaced();
}

void LoggerPresenter::logFileWritten(const std::filesystem::path& path, std::error_code result) {
    // At the end, "saved as soon as writing works again" no longer holds: the end tells
    // where the log went.
    if (m_ending) return;
    tellOnce(m_toldLogWrite,
             result ? std::optional("The log cannot be written; every line stays in the window "
                                    "and is saved as soon as writing works again:\r\n" +
                                    describe(path, result))
                    : std::nullopt);
}
