// The logger's shell: closing, terminating, the port change and starting the viewer.
#include "LoggerPresenter.h"

#include "logfiles/LogNames.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {
std::string_view trimBlanks(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    return s;
}

// An answer that is a plain number: blanks around it, a sign, digits, a fraction.
bool isPlainNumber(std::string_view answer) {
    auto s = trimBlanks(answer);
    if (!s.empty() && (s.front() == '+' || s.front() == '-')) s.remove_prefix(1);
    std::size_t digits = 0, dots = 0;
    for (char c : s) {
        if (c >= '0' && c <= '9')
            ++digits;
        else if (c == '.' && ++dots == 1)
            continue;
        else
            return false;
    }
    return digits > 0;
}

std::int64_t portNumber(double v) {
    const double r = settings::roundHalfEven(v);
    constexpr double kLimit = 9.0e18; // beyond any port; keeps the conversion defined
    return static_cast<std::int64_t>(std::clamp(r, -kLimit, kLimit));
}

#ifdef _WIN32
constexpr const char* kViewerName = "kelvologviewer.exe";
#else
constexpr const char* kViewerName = "kelvologviewer";
#endif
} // namespace

bool LoggerPresenter::closeRequested() {
    if (m_ended) return false;
    const Answer a = m_ports.dialogs.message(
        "Do you want the Logger continue running in the background?\r\n\r\n  Yes - Minimize\r\n"
        "   No - Terminate",
        Buttons::YesNoCancel, Icon::Question, "Exit Kelvo Logger");
    if (a == Answer::Yes) m_ports.view.minimise();
    if (a != Answer::No) return true;
    terminate();
    return false;
}

void LoggerPresenter::terminate() {
    if (m_ended) return;
    if (m_inTick) { // finish the line in hand first
        m_terminateAfterTick = true;
        return;
    }
    // Lines received but not yet logged, those the socket still holds included: handle them
    // as their ticks would.
    m_ports.socket.close();
    while (!m_cue.empty() && !m_ended)
        tick();
    if (m_ended) return;
    savesettings();
    archiveAtEnd();
    endProgram();
}

// Every line since writing failed exists only in memory now: it must go somewhere that the
// next start reads, and the user must be told where.
void LoggerPresenter::archiveAtEnd() {
    m_ending = true;
    const auto end = m_activity.archive(m_rescue);
    const auto why = "\r\n" + end.archiveError.message();
    switch (end.savedIn) {
    case ActivityLog::Ending::SavedIn::archive:
        return;
    case ActivityLog::Ending::SavedIn::currentLog:
        m_ports.dialogs.message("The log cannot be archived; it stays in " + end.path.string() +
                                " and comes back at the next start." + why);
        return;
    case ActivityLog::Ending::SavedIn::rescue:
        m_ports.dialogs.message("The log cannot be written into " +
                                logfiles::logsFolder(m_filesFolder).string() + "; it is saved as " +
                                end.path.string() +
                                " and comes back into the logs folder at the next start." + why);
        return;
    case ActivityLog::Ending::SavedIn::nowhere:
        m_ports.dialogs.message("The log cannot be saved anywhere; the lines that " +
                                logfiles::currentLogPath(m_filesFolder).string() +
                                " does not hold are lost." + why);
        return;
    }
}

void LoggerPresenter::changePort() {
    if (m_ended) return;
    const std::int64_t previous = m_ports.socket.localPort();
    const auto answer = m_ports.dialogs.input(
        "Change your Ports", "Please enter the new Listening Port #:\r\n", m_udpport);
    m_udpport = std::to_string(previous);
    m_ports.view.changed(LoggerView::Part::port);
    if (!answer || answer->empty()) return;
    if (!isPlainNumber(*answer)) {
        m_ports.dialogs.message("\"" + *answer +
                                "\" is not a port number.\r\n"
                                "Enter a number from 1 to 65535.");
        return;
    }
    const double wanted = settings::leadingNumber(*answer);
    if (wanted == static_cast<double>(previous)) return;
    const std::int64_t port = portNumber(wanted);
    if (port < 1 || port > 65535) { // no port at all: the socket stays where it is
        m_ports.dialogs.message("Port " + std::to_string(port) +
                                " is out of range.\r\nEnter a number from 1 to 65535.");
        return;
    }
    const bool wasListening = m_listening;
    if (const auto err = rebind(port)) {
        // Listening again before the box opens: datagrams sent while it is open are kept.
        const auto again = wasListening ? rebind(previous) : SocketError{};
        reportPortFailure(err, port);
        if (again) reportPortFailure(again, previous);
        m_udpport = std::to_string(previous);
        m_ports.view.changed(LoggerView::Part::port);
        return;
    }
    m_udpport = *answer;
    m_ports.view.changed(LoggerView::Part::port);
    savesettings();
}

SocketError LoggerPresenter::rebind(std::int64_t port) {
    m_ports.socket.close();
    return setUpSocket(port);
}

void LoggerPresenter::reportPortFailure(const SocketError& err, std::int64_t port) {
    m_ports.dialogs.message("Error :" + err.description + "\r\nError #" +
                            std::to_string(err.number) + "\r\nPort " + std::to_string(port) +
                            " is in use.");
}

void LoggerPresenter::viewLogs() {
    if (m_ended) return;
    const auto path = m_programFolder / kViewerName;
    const auto failure = m_ports.launcher.startDetached(path);
    if (!failure.empty())
        m_ports.dialogs.message("The log viewer cannot be started:\r\n" + path.string() + "\r\n" +
                                failure);
}
