#include "Form1.h"

#include "platform/DisplayChars.h"
#include "platform/win32/Utf16.h"
#include "platform/win32/WinUi.h"
#include "viewer/ViewerPresenter.h"

#include <algorithm>
#include <commctrl.h>

namespace {
constexpr wchar_t kClassName[] = L"KelvoLogViewerForm1";
enum Anchor { fixed = 0, moveRight = 1, moveDown = 2, growWide = 4, growTall = 8 };
enum Column { textColumn, pathColumn, dateColumn, timeColumn };
constexpr SIZE kClientTwips{9075, 7695};
constexpr RECT kFrame1{15, 6360, 8985, 615};

struct Place {
    HWND Form1::*control;
    RECT twips; // left, top, width, height; inside Frame1 for those marked so
    int anchors;
    bool inFrame1 = false;
};

const Place kPlaces[] = {
    {&Form1::Label2, {60, 120, 1425, 255}, fixed},
    {&Form1::refresh, {1920, 60, 825, 315}, fixed},
    {&Form1::ListView1, {30, 420, 2775, 5880}, growTall},
    {&Form1::Label1, {2850, 90, 6135, 375}, growWide},
    {&Form1::deletefile, {7545, 105, 1440, 300}, moveRight},
    {&Form1::Frame1, kFrame1, moveDown | growWide},
    {&Form1::Text2, {90, 225, 6210, 285}, moveDown | growWide, true},
    {&Form1::Label3, {6420, 285, 990, 195}, moveDown | moveRight, true},
    {&Form1::searchAll, {7500, 180, 1350, 360}, moveDown | moveRight, true},
    // The picture's design square runs 75 twips past the client area; it is cut to fit.
    {&Form1::Picture1, {30, 7050, 720, 645}, moveDown},
    {&Form1::Label7, {840, 7080, 2595, 315}, moveDown},
    {&Form1::Label4, {3390, 7155, 1845, 225}, moveDown},
    {&Form1::closeout, {7680, 7185, 1275, 375}, moveRight | moveDown},
};
constexpr RECT kRichTextBox1{2850, 420, 6135, 5865};

HWND child(HWND parent, const wchar_t* cls, const wchar_t* text, DWORD style, int id = 0,
           DWORD exStyle = 0) {
    return CreateWindowExW(exStyle, cls, text, WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           GetModuleHandleW(nullptr), nullptr);
}

void addColumn(HWND list, int index, const wchar_t* title) {
    LVCOLUMNW c{};
    c.mask = LVCF_TEXT | LVCF_WIDTH;
    c.pszText = const_cast<wchar_t*>(title);
    ListView_InsertColumn(list, index, &c);
}
} // namespace

Form1::Form1() : m_grey(CreateSolidBrush(RGB(0xe0, 0xe0, 0xe0))) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = windowProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hIcon = LoadIconW(wc.hInstance, MAKEINTRESOURCEW(1));
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kClassName;
    RegisterClassExW(&wc);
    m_hwnd = CreateWindowExW(WS_EX_CONTROLPARENT, kClassName, L"Log File Viewer",
                             WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, 640, 480, nullptr,
                             nullptr, wc.hInstance, creationParam());
    createControls();
    const UINT dpi = GetDpiForWindow(m_hwnd);
    setFonts(dpi);
    const SIZE size = designSize(dpi);
    SetWindowPos(m_hwnd, nullptr, 0, 0, size.cx, size.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    layOut();
}

Form1::~Form1() {
    while (m_busyDepth > 0)
        setBusy(false);
    RichTextBox1.reset();
    DestroyWindow(m_hwnd);
    for (HFONT f : {m_arial, m_arialBold, m_label1Font, m_label2Font, m_label3Font, m_titleFont,
                    m_versionFont})
        DeleteObject(f);
    DeleteObject(m_grey);
}

void Form1::createControls() {
    m_toolTips = CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, 0, 0, 0, 0,
                                 m_hwnd, nullptr, GetModuleHandleW(nullptr), nullptr);
    Label2 = child(m_hwnd, WC_STATICW, L"Select Log File", SS_LEFT);
    refresh = child(m_hwnd, WC_BUTTONW, L"Refresh", BS_PUSHBUTTON | WS_TABSTOP, refreshId);
    addToolTip(refresh, L"Refresh List of Log Files");
    ListView1 = child(m_hwnd, WC_LISTVIEWW, L"",
                      LVS_REPORT | LVS_OWNERDATA | LVS_SINGLESEL | LVS_SHOWSELALWAYS | WS_TABSTOP,
                      listId, WS_EX_CLIENTEDGE);
    ListView_SetExtendedListViewStyle(ListView1, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
    addColumn(ListView1, textColumn, L"");
    addColumn(ListView1, pathColumn, L"");
    addColumn(ListView1, dateColumn, L"Date Saved");
    addColumn(ListView1, timeColumn, L"Time");
    Label1 = child(m_hwnd, WC_STATICW, L"No file selected", SS_LEFT | SS_CENTERIMAGE);
    deletefile =
        child(m_hwnd, WC_BUTTONW, L"Delete Log File", BS_PUSHBUTTON | WS_TABSTOP, deleteId);
    addToolTip(deletefile, L"Delete this log file");
    EnableWindow(deletefile, FALSE);
    RichTextBox1 = std::make_unique<LogTextView>(m_hwnd, textId);
    Frame1 = child(m_hwnd, WC_BUTTONW, L"Search for:", BS_GROUPBOX);
    Text2 =
        child(m_hwnd, WC_EDITW, L"", ES_AUTOHSCROLL | WS_TABSTOP, searchTextId, WS_EX_CLIENTEDGE);
    addToolTip(Text2, L"Enter text to search for here");
    Label3 = child(m_hwnd, WC_STATICW, L"Not Found", SS_LEFT);
    searchAll =
        child(m_hwnd, WC_BUTTONW, L"Search All files", BS_PUSHBUTTON | WS_TABSTOP, searchAllId);
    addToolTip(searchAll, L"Search all log files");
    Picture1 = child(m_hwnd, WC_STATICW, L"", SS_ICON | SS_CENTERIMAGE);
    Label7 = child(m_hwnd, WC_STATICW, L"Kelvo IM Log Viewer", SS_LEFT);
    Label4 = child(m_hwnd, WC_STATICW, L"version", SS_LEFT);
    closeout = child(m_hwnd, WC_BUTTONW, L"Close", BS_PUSHBUTTON | WS_TABSTOP, closeId);
    addToolTip(closeout, L"Close Log file viewer");
    // Frame1 is drawn behind the controls that lie in it.
    SetWindowPos(Frame1, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void Form1::addToolTip(HWND control, const wchar_t* text) {
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = m_hwnd;
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.lpszText = const_cast<wchar_t*>(text);
    SendMessageW(m_toolTips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

SIZE Form1::designSize(UINT dpi) const {
    RECT frame{0, 0, winui::fromTwips(kClientTwips.cx, dpi),
               winui::fromTwips(kClientTwips.cy, dpi)};
    AdjustWindowRectExForDpi(&frame, WS_OVERLAPPEDWINDOW, FALSE, WS_EX_CONTROLPARENT, dpi);
    return {frame.right - frame.left, frame.bottom - frame.top};
}

void Form1::setFonts(UINT dpi) {
    for (HFONT f : {m_arial, m_arialBold, m_label1Font, m_label2Font, m_label3Font, m_titleFont,
                    m_versionFont})
        if (f) DeleteObject(f);
    m_arial = winui::makeFont(L"Arial", 825, dpi);
    m_arialBold = winui::makeFont(L"Arial", 825, dpi, true);
    m_label1Font = winui::makeFont(L"Arial", 975, dpi);
    m_label2Font = winui::makeFont(L"Arial", 975, dpi, true);
    m_label3Font = winui::makeFont(L"Arial", 825, dpi, true);
    m_titleFont = winui::makeFont(L"Trebuchet MS", 1000, dpi, true);
    m_versionFont = winui::makeFont(L"Trebuchet MS", 900, dpi);
    EnumChildWindows(
        m_hwnd,
        [](HWND w, LPARAM font) {
            SendMessageW(w, WM_SETFONT, static_cast<WPARAM>(font), TRUE);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(m_arial));
    const std::pair<HWND, HFONT> own[] = {{Label1, m_label1Font},
                                          {Label2, m_label2Font},
                                          {Label3, m_label3Font},
                                          {Label7, m_titleFont},
                                          {Label4, m_versionFont}};
    for (auto [control, font] : own)
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    RichTextBox1->setFont(m_arial, m_arialBold);
    ListView_SetColumnWidth(ListView1, textColumn, 0);
    ListView_SetColumnWidth(ListView1, pathColumn, 0);
    ListView_SetColumnWidth(ListView1, dateColumn, winui::fromTwips(1500, dpi));
    ListView_SetColumnWidth(ListView1, timeColumn, winui::fromTwips(1000, dpi));
    const int iconSize = winui::fromTwips(645, dpi);
    const auto icon = static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1),
                                                    IMAGE_ICON, iconSize, iconSize, 0));
    if (icon)
        DestroyIcon(reinterpret_cast<HICON>(
            SendMessageW(Picture1, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0)));
}

void Form1::layOut() {
    const UINT dpi = GetDpiForWindow(m_hwnd);
    RECT client{};
    GetClientRect(m_hwnd, &client);
    const auto px = [dpi](LONG twips) { return winui::fromTwips(static_cast<int>(twips), dpi); };
    // Past the design size the window's growth goes to the controls anchored to it.
    const int growX = std::max(0, static_cast<int>(client.right) - px(kClientTwips.cx));
    const int growY = std::max(0, static_cast<int>(client.bottom) - px(kClientTwips.cy));
    const auto place = [&](HWND control, RECT t, int anchors, bool inFrame1) {
        if (inFrame1) t.left += kFrame1.left, t.top += kFrame1.top;
        int x = px(t.left), y = px(t.top), w = px(t.right), h = px(t.bottom);
        if (anchors & moveRight) x += growX;
        if (anchors & moveDown) y += growY;
        if (anchors & growWide) w += growX;
        if (anchors & growTall) h += growY;
        SetWindowPos(control, nullptr, x, y, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
    };
    for (const auto& p : kPlaces)
        place(this->*p.control, p.twips, p.anchors, p.inFrame1);
    place(RichTextBox1->handle(), kRichTextBox1, growWide | growTall, false);
    InvalidateRect(m_hwnd, nullptr, TRUE);
}

void Form1::attach(ViewerPresenter& presenter) {
    m_presenter = &presenter;
    RichTextBox1->setSource(presenter.shown());
}

void Form1::changed(Part part) {
    if (!m_presenter) return;
    switch (part) {
    case Part::labels:
        SetWindowTextW(Label1, widen(m_presenter->label1()).c_str());
        SetWindowTextW(Label3, widen(m_presenter->label3()).c_str());
        SetWindowTextW(Label4, widen(m_presenter->label4()).c_str());
        break;
    case Part::deleteButton:
        EnableWindow(deletefile, m_presenter->deleteEnabled());
        break;
    case Part::rows:
        ListView_SetItemCountEx(ListView1, static_cast<int>(m_presenter->rows().size()), 0);
        InvalidateRect(ListView1, nullptr, TRUE);
        break;
    case Part::selection:
        showSelection();
        break;
    case Part::text:
        RichTextBox1->textReplaced();
        break;
    case Part::marks:
        RichTextBox1->marksChanged();
        break;
    }
}

void Form1::showSelection() {
    m_showingSelection = true;
    ListView_SetItemState(ListView1, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    if (const auto row = m_presenter->selectedRow())
        ListView_SetItemState(ListView1, static_cast<int>(*row), LVIS_SELECTED | LVIS_FOCUSED,
                              LVIS_SELECTED | LVIS_FOCUSED);
    m_showingSelection = false;
}

void Form1::scrollRowIntoView(std::size_t row) {
    ListView_EnsureVisible(ListView1, static_cast<int>(row), FALSE);
}

void Form1::setBusy(bool busy) {
    if (busy) {
        ++m_busyDepth;
    } else if (m_busyDepth > 0) {
        --m_busyDepth;
    }
    SetCursor(LoadCursorW(nullptr, m_busyDepth > 0 ? IDC_WAIT : IDC_ARROW));
}

void Form1::setListAndTextShown(bool shown) {
    ShowWindow(ListView1, shown ? SW_SHOW : SW_HIDE);
    ShowWindow(RichTextBox1->handle(), shown ? SW_SHOW : SW_HIDE);
}

void Form1::showWindow() {
    // As the starter asked: the logger's "View Logs" asks for it minimised.
    ShowWindow(m_hwnd, SW_SHOWDEFAULT);
    SetForegroundWindow(m_hwnd);
}

void Form1::quitProgram() {
    ShowWindow(m_hwnd, SW_HIDE);
    PostQuitMessage(0);
}

void Form1::command(int id, int code) {
    if (!m_presenter) return;
    switch (id) {
    case refreshId:
        m_presenter->refresh();
        break;
    case deleteId:
        m_presenter->deletefile();
        break;
    case searchAllId:
        m_presenter->searchAllFiles();
        break;
    case closeId:
        m_presenter->closeout();
        break;
    case searchTextId:
        if (code == EN_CHANGE) {
            const std::wstring text = winui::windowText(Text2);
            std::string bytes;
            const bool matchable =
                display::toWindows1252(std::u16string(text.begin(), text.end()), bytes);
            m_presenter->changeSearchText(std::move(bytes), matchable);
        }
        break;
    default:
        break;
    }
}

LRESULT Form1::notify(const NMHDR& header) {
    if (header.idFrom != listId || !m_presenter) return 0;
    switch (header.code) {
    case LVN_GETDISPINFOW: {
        auto& item = const_cast<LVITEMW&>(reinterpret_cast<const NMLVDISPINFOW&>(header).item);
        const auto row = static_cast<std::size_t>(item.iItem);
        if (!(item.mask & LVIF_TEXT) || row >= m_presenter->rows().size()) return 0;
        const auto& r = m_presenter->rows()[row];
        const std::wstring text = item.iSubItem == pathColumn   ? r.path.wstring()
                                  : item.iSubItem == dateColumn ? widen(r.dateText)
                                  : item.iSubItem == timeColumn ? widen(r.timeText)
                                                                : std::wstring();
        lstrcpynW(m_cellText, text.c_str(), static_cast<int>(std::size(m_cellText)));
        item.pszText = m_cellText;
        return 0;
    }
    case LVN_ITEMCHANGED: {
        const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
        if (m_showingSelection || !(change.uChanged & LVIF_STATE)) return 0;
        const int selected = ListView_GetNextItem(ListView1, -1, LVNI_SELECTED);
        m_presenter->selectRow(selected < 0 ? std::nullopt
                                            : std::optional(static_cast<std::size_t>(selected)));
        return 0;
    }
    case NM_CLICK:
    case NM_DBLCLK: {
        // Only a click or a double-click opens a log; the keyboard merely moves the selection.
        const int row = reinterpret_cast<const NMITEMACTIVATE&>(header).iItem;
        if (row < 0) return 0;
        m_presenter->selectRow(static_cast<std::size_t>(row));
        m_presenter->openSelected();
        return 0;
    }
    default:
        return 0;
    }
}

LRESULT Form1::onMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_COMMAND:
        command(LOWORD(wp), HIWORD(wp));
        return 0;
    case WM_NOTIFY:
        return notify(*reinterpret_cast<const NMHDR*>(lp));
    case WM_SIZE:
        if (Label2) layOut();
        return 0;
    case WM_GETMINMAXINFO: { // never below the design size, so nothing hides
        const SIZE size = designSize(GetDpiForWindow(m_hwnd));
        reinterpret_cast<MINMAXINFO*>(lp)->ptMinTrackSize = {size.cx, size.cy};
        return 0;
    }
    case WM_SETCURSOR:
        if (m_busyDepth > 0) {
            SetCursor(LoadCursorW(nullptr, IDC_WAIT));
            return TRUE;
        }
        break;
    case WM_CTLCOLORSTATIC: {
        const auto dc = reinterpret_cast<HDC>(wp);
        const auto control = reinterpret_cast<HWND>(lp);
        if (control == Label1) {
            SetBkColor(dc, RGB(0xe0, 0xe0, 0xe0));
            return reinterpret_cast<LRESULT>(m_grey);
        }
        if (control == Label3) {
            SetTextColor(dc, RGB(0x80, 0, 0));
            SetBkMode(dc, TRANSPARENT);
            return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
        }
        break;
    }
    case WM_DPICHANGED: {
        setFonts(HIWORD(wp));
        const auto* r = reinterpret_cast<const RECT*>(lp);
        SetWindowPos(m_hwnd, nullptr, r->left, r->top, r->right - r->left, r->bottom - r->top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        return 0;
    }
    case WM_CLOSE:
        if (m_presenter && !m_presenter->ended()) m_presenter->closeout();
        quitProgram();
        return 0;
    default:
        break;
    }
    return DefWindowProcW(m_hwnd, msg, wp, lp);
}
