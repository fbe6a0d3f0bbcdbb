#include "LogTextView.h"

#include "platform/win32/WinUi.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <windowsx.h>

namespace {
constexpr wchar_t kClassName[] = L"KelvoLogTextView";
constexpr int kMargin = 3;
constexpr COLORREF kMarkColour = RGB(255, 0, 0);
// Beyond this a line's width is estimated: measuring it all would stall a binary file's load.
constexpr std::size_t kMeasuredBytes = 1 << 20;
// Scroll bars count in 32 bits; a longer log scrolls in steps of several lines.
constexpr std::size_t kMaxScrollLines = std::numeric_limits<int>::max();
} // namespace

LogTextView::LogTextView(HWND parent, int id) {
    static const viewer::ShownText kNothing;
    m_shown = &kNothing;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = windowProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_IBEAM);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = kClassName;
    RegisterClassExW(&wc); // fails harmlessly once the class exists
    m_hwnd = CreateWindowExW(WS_EX_CLIENTEDGE, kClassName, L"",
                             WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP, 0, 0, 0,
                             0, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                             wc.hInstance, creationParam());
}

LogTextView::~LogTextView() {
    DestroyWindow(m_hwnd);
}

void LogTextView::setFont(HFONT normal, HFONT bold) {
    m_normalFont = normal;
    m_boldFont = bold;
    measureFont();
    textReplaced();
}

void LogTextView::measureFont() {
    const HDC dc = GetDC(m_hwnd);
    TEXTMETRICW tm{};
    for (auto [font, widths] : {std::pair{m_normalFont, &m_widths}, {m_boldFont, &m_boldWidths}}) {
        const HGDIOBJ old = SelectObject(dc, font);
        for (unsigned b = 0; b < 256; ++b) {
            const std::wstring shown = winui::shownLine(std::string(1, static_cast<char>(b)));
            SIZE size{};
            GetTextExtentPoint32W(dc, shown.c_str(), static_cast<int>(shown.size()), &size);
            (*widths)[b] = size.cx;
        }
        GetTextMetricsW(dc, &tm);
        m_lineHeight = std::max<int>({1, m_lineHeight, static_cast<int>(tm.tmHeight)});
        SelectObject(dc, old);
    }
    ReleaseDC(m_hwnd, dc);
}

int LogTextView::widthOf(std::string_view bytes, const Widths& widths) const {
    long long w = 0;
    for (const char c : bytes)
        w += widths[static_cast<unsigned char>(c)];
    return static_cast<int>(std::min<long long>(w, 1 << 30));
}

void LogTextView::setSource(const viewer::ShownText& shown) {
    m_shown = &shown;
    textReplaced();
}

void LogTextView::textReplaced() {
    const auto line = m_shown->line(m_shown->longestLine());
    const double measured = widthOf(line.substr(0, kMeasuredBytes), m_boldWidths);
    const double scale =
        static_cast<double>(std::max<std::size_t>(line.size(), 1)) /
        static_cast<double>(std::max<std::size_t>(std::min(line.size(), kMeasuredBytes), 1));
    m_contentWidth = static_cast<int>(std::min(measured * scale, double(1 << 30))) + 2 * kMargin;
    m_linesSelected = false;
    m_firstLine = 0;
    m_left = 0;
    updateScrollBars();
    InvalidateRect(m_hwnd, nullptr, TRUE);
}

void LogTextView::marksChanged() {
    if (!m_shown->marks().empty()) bringIntoView(m_shown->marks().back());
    InvalidateRect(m_hwnd, nullptr, TRUE);
}

std::size_t LogTextView::visibleLineCount() const {
    RECT r{};
    GetClientRect(m_hwnd, &r);
    return static_cast<std::size_t>(std::max(1, static_cast<int>(r.bottom) / m_lineHeight));
}

void LogTextView::updateScrollBars() {
    RECT r{};
    GetClientRect(m_hwnd, &r);
    const std::size_t lines = m_shown->lineStarts().size(), page = visibleLineCount();
    const std::size_t lastFirst = lines > page ? lines - page : 0;
    m_firstLine = std::min(m_firstLine, lastFirst);
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
    si.nMax = static_cast<int>(std::min(lines, kMaxScrollLines) - 1);
    si.nPage = static_cast<UINT>(page);
    si.nPos = static_cast<int>(std::min(m_firstLine, kMaxScrollLines));
    SetScrollInfo(m_hwnd, SB_VERT, &si, TRUE);
    m_left = std::clamp(m_left, 0, std::max(0, m_contentWidth - static_cast<int>(r.right)));
    si.nMax = m_contentWidth;
    si.nPage = static_cast<UINT>(r.right);
    si.nPos = m_left;
    SetScrollInfo(m_hwnd, SB_HORZ, &si, TRUE);
}

void LogTextView::scrollTo(std::size_t line, int x) {
    // Setting the scroll bars redraws them at once, which a keystroke need not pay for.
    if (line == m_firstLine && x == m_left) return;
    m_firstLine = line;
    m_left = x;
    updateScrollBars();
    InvalidateRect(m_hwnd, nullptr, TRUE);
}

void LogTextView::scrollBy(int bar, WPARAM request) {
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_ALL;
    GetScrollInfo(m_hwnd, bar, &si);
    const int step = bar == SB_VERT ? 1 : std::max(1, m_widths['M']);
    int pos = si.nPos;
    switch (LOWORD(request)) {
    case SB_LINEUP:
        pos -= step;
        break;
    case SB_LINEDOWN:
        pos += step;
        break;
    case SB_PAGEUP:
        pos -= static_cast<int>(si.nPage);
        break;
    case SB_PAGEDOWN:
        pos += static_cast<int>(si.nPage);
        break;
    case SB_THUMBTRACK:
        pos = si.nTrackPos;
        break;
    case SB_TOP:
        pos = 0;
        break;
    case SB_BOTTOM:
        pos = si.nMax;
        break;
    default:
        return;
    }
    pos = std::max(0, pos);
    if (bar == SB_VERT)
        scrollTo(static_cast<std::size_t>(pos), m_left);
    else
        scrollTo(m_firstLine, pos);
}

void LogTextView::bringIntoView(std::size_t offset) {
    const std::size_t line = m_shown->lineOf(offset);
    const std::size_t page = visibleLineCount();
    std::size_t first = m_firstLine;
    if (line < first || line >= first + page) first = line - std::min(line, page / 2);
    const auto prefix = m_shown->line(line).substr(0, offset - m_shown->lineStarts()[line]);
    const int x = widthOf(prefix, m_widths);
    RECT r{};
    GetClientRect(m_hwnd, &r);
    const int width = r.right;
    int left = m_left;
    if (x < left || x > left + width - width / 4) left = x - width / 3;
    scrollTo(first, left);
}

void LogTextView::paint(HDC dc, const RECT& client) const {
    const std::size_t end =
        std::min(m_shown->lineStarts().size(), m_firstLine + visibleLineCount() + 1);
    const HBRUSH picked = GetSysColorBrush(COLOR_HIGHLIGHT);
    SetBkMode(dc, TRANSPARENT);
    int top = 0;
    for (std::size_t i = m_firstLine; i < end; ++i, top += m_lineHeight) {
        if (lineSelected(i)) {
            const RECT row{0, top, client.right, top + m_lineHeight};
            FillRect(dc, &row, picked);
        }
        drawLine(dc, i, top, client.right);
    }
}

void LogTextView::drawLine(HDC dc, std::size_t index, int top, int right) const {
    const std::string_view line = m_shown->line(index);
    const COLORREF normalColour =
        GetSysColor(lineSelected(index) ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT);
    int x = kMargin - m_left;
    viewer::ShownText::LineRuns runs(*m_shown, index);
    std::size_t i = 0;
    while (i < line.size() && x < right) {
        const auto [runEnd, marked] = runs.from(i);
        const Widths& widths = marked ? m_boldWidths : m_widths;
        std::size_t j = i;
        while (j < runEnd && x + widths[static_cast<unsigned char>(line[j])] <= 0)
            x += widths[static_cast<unsigned char>(line[j++])];
        const int runX = x;
        const std::size_t visibleFrom = j;
        while (j < runEnd && x < right)
            x += widths[static_cast<unsigned char>(line[j++])];
        if (j > visibleFrom) {
            SelectObject(dc, marked ? m_boldFont : m_normalFont);
            SetTextColor(dc, marked ? kMarkColour : normalColour);
            const std::wstring shown = winui::shownLine(line.substr(visibleFrom, j - visibleFrom));
            TextOutW(dc, runX, top, shown.c_str(), static_cast<int>(shown.size()));
        }
        i = j;
    }
}

std::size_t LogTextView::lineAt(int y) const {
    const auto below = static_cast<std::size_t>(std::max(0, y) / m_lineHeight);
    return std::min(m_firstLine + below, m_shown->lineStarts().size() - 1);
}

bool LogTextView::lineSelected(std::size_t line) const {
    return m_linesSelected && line >= std::min(m_anchorLine, m_caretLine) &&
           line <= std::max(m_anchorLine, m_caretLine);
}

void LogTextView::selectLines(std::size_t from, std::size_t to) {
    const std::size_t last = m_shown->lineStarts().size() - 1;
    m_anchorLine = std::min(from, last);
    m_caretLine = std::min(to, last);
    m_linesSelected = !m_shown->empty();
    InvalidateRect(m_hwnd, nullptr, TRUE);
}

std::wstring LogTextView::selectedText() const {
    if (!m_linesSelected) return {};
    const auto& starts = m_shown->lineStarts();
    const std::size_t first = std::min(m_anchorLine, m_caretLine);
    const std::size_t last = std::max(m_anchorLine, m_caretLine);
    const auto end = m_shown->line(last).data() + m_shown->line(last).size();
    return winui::shownText(
        std::string_view(m_shown->text())
            .substr(starts[first],
                    static_cast<std::size_t>(end - m_shown->text().data()) - starts[first]));
}

void LogTextView::copy() const {
    const std::wstring text = selectedText();
    if (text.empty() || !OpenClipboard(m_hwnd)) return;
    EmptyClipboard();
    const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    if (const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes)) {
        std::memcpy(GlobalLock(memory), text.c_str(), bytes);
        GlobalUnlock(memory);
        if (!SetClipboardData(CF_UNICODETEXT, memory)) GlobalFree(memory);
    }
    CloseClipboard();
}

LRESULT LogTextView::onMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        const HDC dc = BeginPaint(m_hwnd, &ps);
        RECT client{};
        GetClientRect(m_hwnd, &client);
        paint(dc, client);
        EndPaint(m_hwnd, &ps);
        return 0;
    }
    case WM_SIZE:
        updateScrollBars();
        return 0;
    case WM_VSCROLL:
    case WM_HSCROLL:
        scrollBy(msg == WM_VSCROLL ? SB_VERT : SB_HORZ, wp);
        return 0;
    case WM_MOUSEWHEEL: {
        m_wheelRest += GET_WHEEL_DELTA_WPARAM(wp);
        UINT perNotch = 3;
        SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &perNotch, 0);
        const int lines = m_wheelRest / WHEEL_DELTA * static_cast<int>(perNotch);
        m_wheelRest %= WHEEL_DELTA;
        const auto first = static_cast<long long>(m_firstLine) - lines;
        scrollTo(static_cast<std::size_t>(std::max(0LL, first)), m_left);
        return 0;
    }
    case WM_LBUTTONDOWN: {
        SetFocus(m_hwnd);
        SetCapture(m_hwnd);
        const std::size_t line = lineAt(GET_Y_LPARAM(lp));
        selectLines(wp & MK_SHIFT ? m_anchorLine : line, line);
        return 0;
    }
    case WM_MOUSEMOVE:
        if (wp & MK_LBUTTON) selectLines(m_anchorLine, lineAt(GET_Y_LPARAM(lp)));
        return 0;
    case WM_LBUTTONUP:
        ReleaseCapture();
        return 0;
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_KEYDOWN: {
        const bool control = GetKeyState(VK_CONTROL) < 0;
        if (control && wp == 'C')
            copy();
        else if (control && wp == 'A')
            selectLines(0, m_shown->lineStarts().size() - 1);
        else if (wp == VK_DOWN)
            scrollBy(SB_VERT, SB_LINEDOWN);
        else if (wp == VK_UP)
            scrollBy(SB_VERT, SB_LINEUP);
        else if (wp == VK_NEXT)
            scrollBy(SB_VERT, SB_PAGEDOWN);
        else if (wp == VK_PRIOR)
            scrollBy(SB_VERT, SB_PAGEUP);
        else if (wp == VK_HOME && control)
            scrollBy(SB_VERT, SB_TOP);
        else if (wp == VK_END && control)
            scrollBy(SB_VERT, SB_BOTTOM);
        return 0;
    }
    default:
        return DefWindowProcW(m_hwnd, msg, wp, lp);
    }
}
