#pragma once

#include "logger/LoggerView.h"

#include <chrono>
#include <ostream>

class LoggerPresenter;

// Stands in for the window where there is no display: every logged line goes to `out` as it
// is logged, and what else a user must know (datagrams dropped while the queue was full) to
// `notes`; the rest of what a window shows is not needed to follow the logger's work.
class HeadlessView : public LoggerView {
public:
    HeadlessView(std::ostream& out, std::ostream& notes) : m_out(out), m_notes(notes) {}
    void attach(const LoggerPresenter& presenter) { m_presenter = &presenter; }

    void changed(Part part) override;
    void queueAppended(std::size_t) override {}
    void queueHeadRemoved(std::size_t) override {}
    void userRowRemoving(std::size_t) override {}
    void activityAppended(std::string_view added) override;
    void activityReplaced() override {}
    void activityCaretToEnd() override {}
    void showWindow(bool) override {}
    void minimise() override {}
    void quitProgram() override;

private:
    void noteCounts();

    std::ostream& m_out;
    std::ostream& m_notes;
    const LoggerPresenter* m_presenter = nullptr;
    std::chrono::steady_clock::time_point m_lastNote{};
};
