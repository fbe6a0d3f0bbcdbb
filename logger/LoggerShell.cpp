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
    if (auto err = m_activity.archive())
        m_ports.dialogs.message("The log cannot be archived; it stays in " +
                                logfiles::currentLogPath(m_filesFolder).string() +
                                " and comes back at the next start.\r\n" + err.message());
    endProgram();
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
    if (const auto err = rebind(portNumber(wanted))) {
        reportPortFailure(err);
        // Left closed, the socket would look as if it listened while every datagram is lost.
        if (const auto again = rebind(previous)) reportPortFailure(again);
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

void LoggerPresenter::reportPortFailure(const SocketError& err) {
    m_ports.dialogs.message("Error :" + err.description + "\r\nError #" +
                            std::to_string(err.number) + "\r\nPort " +
                            std::to_string(m_ports.socket.localPort()) + " is in use.");
}

void LoggerPresenter::viewLogs() {
    if (m_ended) return;
    const auto path = m_programFolder / kViewerName;
    const auto failure = m_ports.launcher.startDetached(path);
    if (!failure.empty())
        m_ports.dialogs.message("The log viewer cannot be started:\r\n" + path.string() + "\r\n" +
                                failure);
}
