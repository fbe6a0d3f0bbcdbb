#include "WinTimer.h"

#include <map>
#include <windows.h>

namespace {
// Thread timers carry no pointer of their own; their ids lead back to the owner.
thread_local std::map<UINT_PTR, std::function<void()>*> t_timers;

void CALLBACK onTimer(HWND, UINT, UINT_PTR id, DWORD) {
    const auto it = t_timers.find(id);
    if (it != t_timers.end()) (*it->second)();
}
} // namespace

WinTimer::WinTimer(unsigned intervalMs, std::function<void()> onTick)
    : m_intervalMs(intervalMs), m_onTick(std::move(onTick)) {}

WinTimer::~WinTimer() {
    setEnabled(false);
}

void WinTimer::setEnabled(bool enabled) {
    if (enabled == isEnabled()) return; // starting again would delay the next tick
    if (enabled) {
        // The shortest interval Windows has; its timer messages come after input anyway.
        m_id = SetTimer(nullptr, 0, m_backToBack ? USER_TIMER_MINIMUM : m_intervalMs, onTimer);
        if (m_id) t_timers[m_id] = &m_onTick;
    } else {
        KillTimer(nullptr, m_id);
        t_timers.erase(m_id);
        m_id = 0;
    }
}

void WinTimer::setBackToBack(bool backToBack) {
    if (backToBack == m_backToBack) return;
    m_backToBack = backToBack;
    if (!isEnabled()) return;
    setEnabled(false);
    setEnabled(true);
}
