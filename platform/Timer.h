#pragma once

// A repeating timer whose ticks the owner handles; only its running state is the owner's to set.
class Timer {
public:
    virtual ~Timer() = default;
    virtual void setEnabled(bool enabled) = 0;
    virtual bool isEnabled() const = 0;
};
