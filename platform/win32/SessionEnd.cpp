#include "SessionEnd.h"

#include <windows.h>

bool handleSessionEnd(unsigned msg, std::uintptr_t wParam, const std::function<void()>& endInOrder,
                      std::intptr_t& result) {
    if (msg == WM_QUERYENDSESSION) {
        result = TRUE;
        return true;
    }
    if (msg != WM_ENDSESSION) return false;
    if (wParam) endInOrder(); // FALSE: another program refused, the session goes on
    result = 0;
    return true;
}
