#include "WinUi.h"

#include "platform/DisplayChars.h"

#include <memory>

namespace winui {

HFONT makeFont(const wchar_t* face, int hundredths, UINT dpi, bool bold) {
    LOGFONTW lf{};
    lf.lfHeight = -MulDiv(hundredths, static_cast<int>(dpi), 7200);
    lf.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfQuality = CLEARTYPE_QUALITY;
    wcsncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
    return CreateFontIndirectW(&lf);
}

namespace {
std::wstring fromUtf16(const std::u16string& s) {
    return {s.begin(), s.end()};
}
} // namespace

std::wstring shownLine(std::string_view bytes) {
    return fromUtf16(display::toUtf16(bytes));
}

std::wstring shownText(std::string_view bytes) {
    return fromUtf16(display::toUtf16(bytes, u"\r\n"));
}

std::wstring windowText(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

LRESULT CALLBACK Window::windowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCCREATE) {
        auto* self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
        self->m_hwnd = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    return self ? self->onMessage(msg, wp, lp) : DefWindowProcW(hwnd, msg, wp, lp);
}

void post(HWND window, std::function<void()> f) {
    auto* work = new std::function<void()>(std::move(f));
    if (!PostMessageW(window, kRunPosted, 0, reinterpret_cast<LPARAM>(work))) delete work;
}

bool runPosted(UINT msg, LPARAM lParam) {
    if (msg != kRunPosted) return false;
    const std::unique_ptr<std::function<void()>> work(
        reinterpret_cast<std::function<void()>*>(lParam));
    (*work)();
    return true;
}

} // namespace winui
