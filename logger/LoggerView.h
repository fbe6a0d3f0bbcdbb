#pragma once

#include <cstddef>
#include <string_view>

// What the logger's window shows of the presenter's state. The presenter says what changed;
// the window reads the new state back from the presenter.
class LoggerView {
public:
    enum class Part { version, switches, port, traffic, users, dropped };

    virtual ~LoggerView() = default;
    virtual void changed(Part part) = 0;
    virtual void queueAppended(std::size_t count) = 0;         // the last `count` entries of `cue`
    virtual void queueHeadRemoved(std::size_t count) = 0;      // the first `count` entries
    virtual void userRowRemoving(std::size_t row) = 0;         // scroll it into view and select it
    virtual void activityAppended(std::string_view added) = 0; // one or more whole lines
    virtual void activityReplaced() = 0;
    virtual void activityCaretToEnd() = 0;
    virtual void showWindow(bool minimised) = 0;
    virtual void minimise() = 0;
    virtual void quitProgram() = 0;
};
