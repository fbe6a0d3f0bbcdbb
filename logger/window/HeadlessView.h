#pragma once

#include "logger/LoggerView.h"

#include <ostream>

// Stands in for the window where there is no display: every logged line goes to `out` as it
// is logged; the rest of what a window would show is not needed to follow the logger's work.
class HeadlessView : public LoggerView {
public:
    explicit HeadlessView(std::ostream& out) : m_out(out) {}

    void changed(Part) override {}
    void queueAppended(std::size_t) override {}
    void queueHeadRemoved() override {}
    void userRowRemoving(std::size_t) override {}
    void activityAppended(std::string_view added) override;
    void activityReplaced() override {}
    void activityCaretToEnd() override {}
    void showWindow(bool) override {}
    void minimise() override {}
    void quitProgram() override;

private:
    std::ostream& m_out;
};
