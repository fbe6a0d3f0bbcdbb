#include "Form1.h"

#include "logger/LoggerPresenter.h"
#include "platform/win32/SessionEnd.h"
#include "platform/win32/Utf16.h"
#include "platform/win32/WinUi.h"

#include <commctrl.h>

using settings::Setting;

namespace {
constexpr wchar_t kClassName[] = L"KelvoLoggerForm1";
constexpr int kSwitchId = 100; // + the switch's index
enum Id { changePortId = 110, viewlogsId, btncloseId, listView1Id, cueId };
// The design client area, in pixels at 96 DPI.
constexpr int kWidth = 760, kHeight = 540;
// What the queue list shows of a datagram: the start is enough to recognise it.
constexpr std::size_t kShownBytes = 256;

struct Place {
    HWND Form1::*control;
    RECT at; // left, top, width, height at 96 DPI
};

HWND child(HWND parent, const wchar_t* cls, const wchar_t* text, DWORD style, int id = 0,
           DWORD exStyle = 0) {
    return CreateWindowExW(exStyle, cls, text, WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           GetModuleHandleW(nullptr), nullptr);
}

void addColumn(HWND list, int index, const wchar_t* title, int width) {
    LVCOLUMNW c{};
    c.mask = LVCF_TEXT | LVCF_WIDTH;
    c.pszText = const_cast<wchar_t*>(title);
    c.cx = width;
    ListView_InsertColumn(list, index, &c);
}
} // namespace

Form1::Form1() : m_white(static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH))) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = windowProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hIcon = LoadIconW(wc.hInstance, MAKEINTRESOURCEW(1));
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kClassName;
    RegisterClassExW(&wc);
    m_hwnd = CreateWindowExW(WS_EX_CONTROLPARENT, kClassName, L"Kelvo IM Logger",
                             WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
                             CW_USEDEFAULT, CW_USEDEFAULT, kWidth, kHeight, nullptr, nullptr,
                             wc.hInstance, creationParam());
    createControls();
    layOut(GetDpiForWindow(m_hwnd));
}

Form1::~Form1() {
    DestroyWindow(m_hwnd);
    for (HFONT f : {m_font, m_titleFont, m_activityFont})
        DeleteObject(f);
}

void Form1::createControls() {
    m_title = child(m_hwnd, WC_STATICW, L"Kelvo IM Logger", SS_LEFT);
    m_label3 = child(m_hwnd, WC_STATICW, L"version", SS_RIGHT);
    m_filters = child(m_hwnd, WC_BUTTONW, L"Filter: Include", BS_GROUPBOX);
    const wchar_t* captions[] = {L"Messages", L"Sign On's", L"Sign Off's",
                                 L"Hello's",  L"Junk",      L"Start with Windows"};
    for (std::size_t i = 0; i < m_switches.size(); ++i)
        m_switches[i] = child(m_hwnd, WC_BUTTONW, captions[i], BS_3STATE | WS_TABSTOP,
                              kSwitchId + static_cast<int>(i));
    m_settings = child(m_hwnd, WC_BUTTONW, L"Settings", BS_GROUPBOX);
    m_portCaption = child(m_hwnd, WC_STATICW, L"UDP Port #", SS_LEFT);
    // The port changes through "Change Port" only.
    m_udpport = child(m_hwnd, WC_EDITW, L"", ES_READONLY | ES_AUTOHSCROLL, 0, WS_EX_CLIENTEDGE);
    m_changePort =
        child(m_hwnd, WC_BUTTONW, L"Change Port", BS_PUSHBUTTON | WS_TABSTOP, changePortId);
    m_usersFrame = child(m_hwnd, WC_BUTTONW, L"Users Online", BS_GROUPBOX);
    m_listView1 = child(m_hwnd, WC_LISTVIEWW, L"",
                        LVS_REPORT | LVS_OWNERDATA | LVS_SINGLESEL | LVS_SHOWSELALWAYS | WS_TABSTOP,
                        listView1Id, WS_EX_CLIENTEDGE);
    ListView_SetExtendedListViewStyle(m_listView1, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
    m_queueFrame = child(m_hwnd, WC_BUTTONW, L"Message Buffer", BS_GROUPBOX);
    m_cue = child(m_hwnd, WC_LISTVIEWW, L"",
                  LVS_REPORT | LVS_OWNERDATA | LVS_NOCOLUMNHEADER | LVS_SINGLESEL | WS_TABSTOP,
                  cueId, WS_EX_CLIENTEDGE);
    ListView_SetExtendedListViewStyle(m_cue, LVS_EX_DOUBLEBUFFER);
    m_trafficCaption = child(m_hwnd, WC_STATICW, L"Network Traffic", SS_LEFT);
    m_dropped = child(m_hwnd, WC_STATICW, L"", SS_RIGHT);
    m_traffic = child(m_hwnd, PROGRESS_CLASSW, L"", 0);
    SendMessageW(m_traffic, PBM_SETRANGE32, 0, 100);
    m_activityCaption = child(m_hwnd, WC_STATICW, L"Current Activity", SS_LEFT);
    m_rtb1 = child(m_hwnd, WC_EDITW, L"",
                   ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | ES_AUTOHSCROLL | WS_VSCROLL |
                       WS_HSCROLL | WS_TABSTOP,
                   0, WS_EX_CLIENTEDGE);
    SendMessageW(m_rtb1, EM_SETLIMITTEXT, 0, 0); // as much as the log holds
    m_viewlogs = child(m_hwnd, WC_BUTTONW, L"View Logs", BS_PUSHBUTTON | WS_TABSTOP, viewlogsId);
    m_btnclose = child(m_hwnd, WC_BUTTONW, L"Close", BS_PUSHBUTTON | WS_TABSTOP, btncloseId);
}

void Form1::layOut(UINT dpi) {
    static const Place kPlaces[] = {
        {&Form1::m_title, {8, 6, 300, 28}},
        {&Form1::m_label3, {600, 16, 150, 16}},
        {&Form1::m_filters, {8, 40, 170, 140}},
        {&Form1::m_settings, {8, 186, 170, 104}},
        {&Form1::m_portCaption, {18, 232, 70, 16}},
        {&Form1::m_udpport, {92, 229, 74, 21}},
        {&Form1::m_changePort, {18, 256, 148, 25}},
        {&Form1::m_usersFrame, {186, 40, 282, 250}},
        {&Form1::m_listView1, {194, 58, 266, 224}},
        {&Form1::m_queueFrame, {476, 40, 276, 250}},
        {&Form1::m_cue, {484, 58, 260, 172}},
        {&Form1::m_trafficCaption, {484, 238, 100, 16}},
        {&Form1::m_dropped, {584, 238, 160, 16}},
        {&Form1::m_traffic, {484, 258, 260, 20}},
        {&Form1::m_activityCaption, {8, 298, 200, 16}},
        {&Form1::m_rtb1, {8, 316, 744, 180}},
        {&Form1::m_viewlogs, {560, 504, 92, 28}},
        {&Form1::m_btnclose, {660, 504, 92, 28}},
    };
    const auto place = [dpi](HWND w, const RECT& r) {
        SetWindowPos(w, nullptr, winui::scaled(r.left, dpi), winui::scaled(r.top, dpi),
                     winui::scaled(r.right, dpi), winui::scaled(r.bottom, dpi),
                     SWP_NOZORDER | SWP_NOACTIVATE);
    };
    for (const auto& p : kPlaces)
        place(this->*p.control, p.at);
    for (std::size_t i = 0; i < 5; ++i)
        place(m_switches[i], {18, 58 + 23 * static_cast<LONG>(i), 150, 20});
    place(m_switches[static_cast<std::size_t>(Setting::startwithwindows)], {18, 204, 150, 20});

    for (HFONT f : {m_font, m_titleFont, m_activityFont})
        if (f) DeleteObject(f);
    m_font = winui::makeFont(L"Arial", 825, dpi);
    m_titleFont = winui::makeFont(L"Arial", 1400, dpi, true);
    m_activityFont = winui::makeFont(L"Lucida Console", 825, dpi);
    EnumChildWindows(
        m_hwnd,
        [](HWND w, LPARAM font) {
            SendMessageW(w, WM_SETFONT, static_cast<WPARAM>(font), TRUE);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(m_font));
    SendMessageW(m_title, WM_SETFONT, reinterpret_cast<WPARAM>(m_titleFont), TRUE);
    SendMessageW(m_rtb1, WM_SETFONT, reinterpret_cast<WPARAM>(m_activityFont), TRUE);

    ListView_SetColumnWidth(m_listView1, 1, winui::fromTwips(1500, dpi));
    ListView_SetColumnWidth(m_listView1, 2, winui::fromTwips(2500, dpi));
    ListView_SetColumnWidth(m_cue, 0, LVSCW_AUTOSIZE_USEHEADER); // the list's width

    RECT frame{0, 0, winui::scaled(kWidth, dpi), winui::scaled(kHeight, dpi)};
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(m_hwnd, GWL_STYLE));
    AdjustWindowRectExForDpi(&frame, style, FALSE, WS_EX_CONTROLPARENT, dpi);
    SetWindowPos(m_hwnd, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form1::attach(LoggerPresenter& presenter) {
    m_presenter = &presenter;
    addColumn(m_listView1, 0, L"", 0); // the key: there to sort by, never shown
    addColumn(m_listView1, 1, L"User Name", 0);
    addColumn(m_listView1, 2, L"Computer", 0);
    addColumn(m_cue, 0, L"", 0);
    layOut(GetDpiForWindow(m_hwnd));
    for (auto part :
         {Part::version, Part::switches, Part::port, Part::traffic, Part::users, Part::dropped})
        changed(part);
}

void Form1::changed(Part part) {
    if (!m_presenter) return;
    switch (part) {
    case Part::version:
        SetWindowTextW(m_label3, widen(m_presenter->label3()).c_str());
        break;
    case Part::switches:
        for (std::size_t i = 0; i < m_switches.size(); ++i) {
            const int state = m_presenter->switchState(static_cast<Setting>(i));
            SendMessageW(m_switches[i], BM_SETCHECK,
                         state == 1   ? BST_CHECKED
                         : state == 2 ? BST_INDETERMINATE
                                      : BST_UNCHECKED,
                         0);
        }
        break;
    case Part::port:
        SetWindowTextW(m_udpport, widen(m_presenter->udpport()).c_str());
        break;
    case Part::traffic:
        SendMessageW(m_traffic, PBM_SETPOS, static_cast<WPARAM>(m_presenter->traffic()), 0);
        break;
    case Part::users:
        ListView_SetItemCountEx(m_listView1, static_cast<int>(m_presenter->users().rows().size()),
                                LVSICF_NOSCROLL);
        InvalidateRect(m_listView1, nullptr, FALSE);
        break;
    case Part::dropped:
        SetWindowTextW(m_dropped, widen(m_presenter->droppedText()).c_str());
        break;
    }
}

void Form1::queueAppended(std::size_t) {
    if (!m_presenter) return;
    const int rows = static_cast<int>(m_presenter->cue().size());
    ListView_SetItemCountEx(m_cue, rows, LVSICF_NOSCROLL);
    ListView_EnsureVisible(m_cue, rows - 1, FALSE);
}

void Form1::queueHeadRemoved(std::size_t) {
    if (!m_presenter) return;
    ListView_SetItemCountEx(m_cue, static_cast<int>(m_presenter->cue().size()), LVSICF_NOSCROLL);
    InvalidateRect(m_cue, nullptr, FALSE);
}

void Form1::userRowRemoving(std::size_t row) {
    const int r = static_cast<int>(row);
    ListView_EnsureVisible(m_listView1, r, FALSE);
    ListView_SetItemState(m_listView1, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    ListView_SetItemState(m_listView1, r, LVIS_SELECTED | LVIS_FOCUSED,
                          LVIS_SELECTED | LVIS_FOCUSED);
}

void Form1::activityAppended(std::string_view added) {
    const auto end = static_cast<WPARAM>(GetWindowTextLengthW(m_rtb1));
    SendMessageW(m_rtb1, EM_SETSEL, end, static_cast<LPARAM>(end));
    SendMessageW(m_rtb1, EM_REPLACESEL, FALSE,
                 reinterpret_cast<LPARAM>(winui::shownText(added).c_str()));
}

void Form1::activityReplaced() {
    if (m_presenter)
        SetWindowTextW(m_rtb1, winui::shownText(m_presenter->activity().text()).c_str());
}

void Form1::activityCaretToEnd() {
    const auto end = static_cast<WPARAM>(GetWindowTextLengthW(m_rtb1));
    SendMessageW(m_rtb1, EM_SETSEL, end, static_cast<LPARAM>(end));
    SendMessageW(m_rtb1, EM_SCROLLCARET, 0, 0);
}

std::wstring Form1::droppedShown() const {
    return winui::windowText(m_dropped);
}

void Form1::showWindow(bool minimised) {
    ShowWindow(m_hwnd, minimised ? SW_SHOWMINIMIZED : SW_SHOWNORMAL);
}

void Form1::minimise() {
    ShowWindow(m_hwnd, SW_MINIMIZE);
}

void Form1::quitProgram() {
    PostQuitMessage(0);
}

void Form1::command(int id) {
    if (!m_presenter) return;
    if (id >= kSwitchId && id < kSwitchId + static_cast<int>(m_switches.size())) {
        m_presenter->clickSwitch(static_cast<Setting>(id - kSwitchId));
        changed(Part::switches);
    } else if (id == changePortId) {
        m_presenter->changePort();
    } else if (id == viewlogsId) {
        m_presenter->viewLogs();
    } else if (id == btncloseId) {
        SendMessageW(m_hwnd, WM_CLOSE, 0, 0);
    }
}

void Form1::fillListText(const NMLVDISPINFOW& info) {
    auto& item = const_cast<LVITEMW&>(info.item);
    if (!(item.mask & LVIF_TEXT) || !m_presenter) return;
    const auto row = static_cast<std::size_t>(item.iItem);
    std::wstring text;
    if (info.hdr.idFrom == cueId && row < m_presenter->cue().size()) {
        text = winui::shownLine(std::string_view(m_presenter->cue()[row]).substr(0, kShownBytes));
    } else if (info.hdr.idFrom == listView1Id && row < m_presenter->users().rows().size()) {
        const auto& r = m_presenter->users().rows()[row];
        text = winui::shownLine(item.iSubItem == UsersTable::keyColumn    ? r.key
                                : item.iSubItem == UsersTable::userColumn ? r.user
                                                                          : r.computer);
    }
    lstrcpynW(m_cellText, text.c_str(), static_cast<int>(std::size(m_cellText)));
    item.pszText = m_cellText;
}

LRESULT Form1::notify(const NMHDR& header) {
    if (header.code == LVN_GETDISPINFOW)
        fillListText(reinterpret_cast<const NMLVDISPINFOW&>(header));
    else if (header.code == LVN_COLUMNCLICK && header.idFrom == listView1Id && m_presenter)
        m_presenter->clickColumn(
            static_cast<UsersTable::Column>(reinterpret_cast<const NMLISTVIEW&>(header).iSubItem));
    return 0;
}

LRESULT Form1::onMessage(UINT msg, WPARAM wp, LPARAM lp) {
    if (winui::runPosted(msg, lp)) return 0;
    std::intptr_t result = 0;
    if (handleSessionEnd(
            msg, wp,
            [this] {
                if (m_presenter) m_presenter->terminate();
            },
            result))
        return result;
    switch (msg) {
    case WM_COMMAND:
        command(LOWORD(wp));
        return 0;
    case WM_NOTIFY:
        return notify(*reinterpret_cast<const NMHDR*>(lp));
    case WM_CTLCOLORSTATIC:
        if (reinterpret_cast<HWND>(lp) == m_rtb1) { // read-only, yet a text to read
            SetBkColor(reinterpret_cast<HDC>(wp), RGB(255, 255, 255));
            return reinterpret_cast<LRESULT>(m_white);
        }
        break;
    case WM_DPICHANGED: {
        const auto* r = reinterpret_cast<const RECT*>(lp);
        SetWindowPos(m_hwnd, nullptr, r->left, r->top, r->right - r->left, r->bottom - r->top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        layOut(HIWORD(wp));
        return 0;
    }
    case WM_CLOSE:
        if (m_presenter && !m_presenter->ended() && m_presenter->closeRequested()) return 0;
        ShowWindow(m_hwnd, SW_HIDE);
        PostQuitMessage(0);
        return 0;
    default:
        break;
    }
    return DefWindowProcW(m_hwnd, msg, wp, lp);
}
