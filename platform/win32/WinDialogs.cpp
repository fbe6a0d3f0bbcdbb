#include "WinDialogs.h"

#include "Utf16.h"

#include <vector>
#include <windows.h>

namespace {
// A dialog template built in memory, so that the input box needs no resource in the program.
class DialogTemplate {
public:
    DialogTemplate(DWORD style, short cx, short cy, WORD items) {
        DLGTEMPLATE t{};
        t.style = style | DS_SETFONT;
        t.cdit = items;
        t.cx = cx;
        t.cy = cy;
        append(&t, sizeof t);
        words({0, 0, 0}); // no menu, the standard class, no title yet
        words({8});       // point size, then the face name
        text(L"MS Shell Dlg");
    }

    void item(WORD atom, WORD id, DWORD style, short x, short y, short cx, short cy) {
        align(4);
        DLGITEMTEMPLATE it{};
        it.style = style | WS_CHILD | WS_VISIBLE;
        it.x = x;
        it.y = y;
        it.cx = cx;
        it.cy = cy;
        it.id = id;
        append(&it, sizeof it);
        words({0xFFFF, atom, 0, 0}); // a predefined class, no text, no creation data
    }

    const DLGTEMPLATE* get() const { return reinterpret_cast<const DLGTEMPLATE*>(m_bytes.data()); }

private:
    void append(const void* p, std::size_t n) {
        const auto* b = static_cast<const unsigned char*>(p);
        m_bytes.insert(m_bytes.end(), b, b + n);
    }
    void words(std::initializer_list<WORD> ws) {
        for (WORD w : ws)
            append(&w, sizeof w);
    }
    void text(const wchar_t* s) { append(s, (wcslen(s) + 1) * sizeof(wchar_t)); }
    void align(std::size_t n) {
        while (m_bytes.size() % n)
            m_bytes.push_back(0);
    }
    // DWORD-aligned storage, as the template must be.
    std::vector<unsigned char> m_bytes;
};

constexpr WORD kButton = 0x0080, kEdit = 0x0081, kStatic = 0x0082;
constexpr WORD kPromptId = 101, kAnswerId = 102;

struct InputBox {
    std::wstring title, prompt, text;
};

INT_PTR CALLBACK inputBoxProc(HWND dlg, UINT msg, WPARAM wp, LPARAM lp) {
    auto* box = reinterpret_cast<InputBox*>(GetWindowLongPtrW(dlg, DWLP_USER));
    switch (msg) {
    case WM_INITDIALOG: {
        SetWindowLongPtrW(dlg, DWLP_USER, lp);
        box = reinterpret_cast<InputBox*>(lp);
        SetWindowTextW(dlg, box->title.c_str());
        SetDlgItemTextW(dlg, kPromptId, box->prompt.c_str());
        SetDlgItemTextW(dlg, IDOK, L"OK");
        SetDlgItemTextW(dlg, IDCANCEL, L"Cancel");
        const HWND edit = GetDlgItem(dlg, kAnswerId);
        SetWindowTextW(edit, box->text.c_str());
        SendMessageW(edit, EM_SETSEL, 0, -1);
        SetFocus(edit);
        return FALSE; // the focus is set
    }
    case WM_COMMAND:
        if (LOWORD(wp) == IDOK) {
            const HWND edit = GetDlgItem(dlg, kAnswerId);
            std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(edit)) + 1, L'\0');
            text.resize(static_cast<std::size_t>(
                GetWindowTextW(edit, text.data(), static_cast<int>(text.size()))));
            box->text = text;
            EndDialog(dlg, IDOK);
        } else if (LOWORD(wp) == IDCANCEL) {
            EndDialog(dlg, IDCANCEL);
        }
        return TRUE;
    default:
        return FALSE;
    }
}
} // namespace

Answer WinDialogs::message(std::string_view text, Buttons buttons, Icon icon,
                           std::string_view title) {
    UINT flags = buttons == Buttons::Ok      ? MB_OK
                 : buttons == Buttons::YesNo ? MB_YESNO
                                             : MB_YESNOCANCEL;
    if (icon == Icon::Question) flags |= MB_ICONQUESTION;
    if (icon == Icon::Warning) flags |= MB_ICONWARNING;
    switch (MessageBoxW(m_owner, widen(text).c_str(),
                        widen(title.empty() ? m_programTitle : title).c_str(), flags)) {
    case IDOK:
        return Answer::Ok;
    case IDYES:
        return Answer::Yes;
    case IDNO:
        return Answer::No;
    default:
        return buttons == Buttons::YesNo ? Answer::No : Answer::Cancel;
    }
}

std::optional<std::string> WinDialogs::input(std::string_view title, std::string_view prompt,
                                             std::string_view initial) {
    DialogTemplate t(DS_MODALFRAME | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU, 250, 74, 4);
    t.item(kStatic, kPromptId, SS_LEFT, 7, 7, 180, 36);
    t.item(kButton, IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP, 193, 7, 50, 14);
    t.item(kButton, IDCANCEL, BS_PUSHBUTTON | WS_TABSTOP, 193, 24, 50, 14);
    t.item(kEdit, kAnswerId, ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 7, 53, 236, 13);
    InputBox box{widen(title), widen(prompt), widen(initial)};
    const INT_PTR r = DialogBoxIndirectParamW(GetModuleHandleW(nullptr), t.get(), m_owner,
                                              inputBoxProc, reinterpret_cast<LPARAM>(&box));
    if (r != IDOK) return std::nullopt;
    return narrow(box.text);
}
