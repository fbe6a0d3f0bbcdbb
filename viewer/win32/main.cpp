#include "Form1.h"
#include "logfiles/FilesFolder.h"
#include "logfiles/LogNames.h"
#include "platform/win32/NamedMutexLock.h"
#include "platform/win32/ProgramStart.h"
#include "platform/win32/WinDateNames.h"
#include "platform/win32/WinDialogs.h"
#include "viewer/ViewerPresenter.h"
#include "viewer/window/TranscriptDialogs.h"

#include <commctrl.h>
#include <filesystem>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    const auto logs =
        logfiles::logsFolder(logfiles::filesFolder(programstart::runningProgramFolder()));
    const logfiles::ProgramText text{"kelvologviewer", ViewerPresenter::kVersion,
                                     logfiles::viewerHelp(logs)};
    if (const auto status = programstart::answerCommonOptions(programstart::arguments(), {}, text))
        return *status;

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
        logs);
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
