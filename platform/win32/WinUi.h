#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <windows.h>

// What both Windows shells need of the Windows API beyond the platform interfaces.
namespace winui {

// Design pixels (at 96 dots per inch) and twips at the window's own DPI.
inline int scaled(int designPixels, UINT dpi) {
    return MulDiv(designPixels, static_cast<int>(dpi), 96);
}
inline int fromTwips(int twips, UINT dpi) {
    return MulDiv(twips, static_cast<int>(dpi), 1440);
}

// A font of `hundredths` of a point (825 for 8.25 pt) at the given DPI.
HFONT makeFont(const wchar_t* face, int hundredths, UINT dpi, bool bold = false);

// Log bytes as the screen shows them (platform/DisplayChars.h): one line, or CR LF kept as the
// line break of an edit control.
std::wstring shownLine(std::string_view bytes);
std::wstring shownText(std::string_view bytes);

std::wstring windowText(HWND window);

// A window that a C++ object owns: the class's window procedure finds the object from the
// window and hands it every message from WM_NCCREATE on.
class Window {
public:
    HWND handle() const { return m_hwnd; }

protected:
    Window() = default;
    ~Window() = default;
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    static LRESULT CALLBACK windowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    // CreateWindowExW's last argument: this part of the object, which need not start it.
    void* creationParam() { return this; }
    virtual LRESULT onMessage(UINT msg, WPARAM wp, LPARAM lp) = 0;

    HWND m_hwnd = nullptr;
};

// Runs `f` on the thread that owns `window`, after what is already queued for it; the window
// procedure hands the message to runPosted().
constexpr UINT kRunPosted = WM_APP + 1;
void post(HWND window, std::function<void()> f);
bool runPosted(UINT msg, LPARAM lParam);

} // namespace winui
