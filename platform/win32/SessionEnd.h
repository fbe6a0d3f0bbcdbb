#pragma once

#include <cstdint>
#include <functional>

struct HWND__;

// The end of the Windows session, seen by the program's top-level window: Windows asks
// (WM_QUERYENDSESSION, always allowed) and then ends it (WM_ENDSESSION), after which the process
// may be killed at any moment. `endInOrder` then runs on the window's thread before the window
// procedure returns, taking the same path as ending the program from its window.
// True when the message was one of the two; `result` is then the window procedure's answer.
bool handleSessionEnd(unsigned msg, std::uintptr_t wParam, const std::function<void()>& endInOrder,
                      std::intptr_t& result);
