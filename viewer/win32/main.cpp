#include "Form1.h"
#include "logfiles/LogNames.h"
#include "platform/win32/NamedMutexLock.h"
#include "platform/win32/WinDateNames.h"
#include "platform/win32/WinDialogs.h"
#include "viewer/ViewerPresenter.h"
#include "viewer/window/TranscriptDialogs.h"

#include <commctrl.h>
#include <filesystem>

namespace {
std::filesystem::path programFolder() {
    wchar_t path[MAX_PATH * 2];
    const DWORD n = GetModuleFileNameW(nullptr, path, static_cast<DWORD>(std::size(path)));
    return std::filesystem::path(std::wstring(path, n)).parent_path();
}
} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES |
                                                                          ICC_LISTVIEW_CLASSES |
                                                                          ICC_TAB_CLASSES};
    InitCommonControlsEx(&controls);
    Form1 form;
    WinDialogs shownDialogs("kelvologviewer");
    shownDialogs.setOwner(form.handle());
    const auto transcript = TranscriptDialogs::fromEnvironment();
    NamedMutexLock instance("kelvologviewer");
    const WinDateNames dateNames;
    ViewerPresenter presenter(
        {form, transcript ? static_cast<Dialogs&>(*transcript) : shownDialogs, instance, dateNames},
        logfiles::logsFolder(programFolder()));
    form.attach(presenter);
    if (!presenter.start()) return 1;
    form.showWindow();
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (IsDialogMessageW(form.handle(), &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}
