#pragma once

#include "platform/Timer.h"

#include <cstdint>
#include <functional>

// A thread timer (SetTimer without a window): its ticks arrive through the message loop of
// the thread that enabled it, as every other event of the window does.
class WinTimer : public Timer {
public:
    WinTimer(unsigned intervalMs, std::function<void()> onTick);
    ~WinTimer() override;
    void setEnabled(bool enabled) override;
    bool isEnabled() const override { return m_id != 0; }
    void setBackToBack(bool backToBack) override;

private:
    unsigned m_intervalMs;
    bool m_backToBack = false;
    std::function<void()> m_onTick;
    std::uintptr_t m_id = 0;
};
