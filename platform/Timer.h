#pragma once

// A repeating timer whose ticks the owner handles; only its running state and its pace are
// the owner's to set.
class Timer {
public:
    virtual ~Timer() = default;
    virtual void setEnabled(bool enabled) = 0;
    virtual bool isEnabled() const = 0;
    // Back to back, a tick follows the last as soon as the events that came meanwhile have
    // been handled, instead of after the interval.
    virtual void setBackToBack(bool backToBack) = 0;
};
