#include "Form1.h"
#include "logfiles/FilesFolder.h"
#include "logger/LoggerPresenter.h"
#include "logger/RegistryAutoStart.h"
#include "logger/registry/SystemRegistry.h"
#include "platform/posix/SystemClock.h"
#include "platform/win32/NamedMutexLock.h"
#include "platform/win32/ProgramStart.h"
#include "platform/win32/WinDialogs.h"
#include "platform/win32/WinProcessLauncher.h"
#include "platform/win32/WinTimer.h"
#include "platform/win32/WinUdpSocket.h"
#include "platform/win32/WinUi.h"

#include <commctrl.h>
#include <filesystem>

namespace {
// The logger's executable as its start-at-logon entry names it, in the system's 8-bit
// encoding, which the registry's 8-bit functions take.
std::string executablePath() {
    char path[MAX_PATH * 2];
    const DWORD n = GetModuleFileNameA(nullptr, path, sizeof path);
    return {path, n};
}

// The logger but its window: the members refer to each other, and the presenter comes after
// everything it is given.
struct Logger {
    Logger(Form1& window, Dialogs& dialogs, const std::filesystem::path& programFolder)
        : socket(presenter, [hwnd = window.handle()](
                                std::function<void()> f) { winui::post(hwnd, std::move(f)); }),
          presenter({window, dialogs, socket, timer, clock, instance, launcher, autoStart},
                    programFolder, {}, programstart::rescueFolders("kelvologger")) {
        // The user's data folder may not exist yet; if it cannot be made, the settings and
        // log writes say so.
        std::error_code ec;
        std::filesystem::create_directories(presenter.filesFolder(), ec);
    }

    NamedMutexLock instance{"kelvologger"};
    SystemClock clock;
    WinProcessLauncher launcher;
    std::unique_ptr<registry::Backend> userRegistry = registry::systemRegistry("kelvologger");
    RegistryAutoStart autoStart{*userRegistry, "kelvologger", executablePath()};
    WinUdpSocket socket;
    WinTimer timer{LoggerPresenter::kTickMs, [this] { presenter.tick(); }};
    LoggerPresenter presenter;
};

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    const auto programFolder = programstart::runningProgramFolder();
    const auto args = programstart::arguments();
    const logfiles::ProgramText text{
        "kelvologger", LoggerPresenter::kVersion,
        logfiles::loggerHelp(logfiles::filesFolder(programFolder), false)};
    if (const auto status = programstart::answerCommonOptions(args, {}, text)) return *status;
    // Everything else is the argument text the logger looks at.
    std::string arguments;
    for (const auto& arg : args)
        arguments += (arguments.empty() ? "" : " ") + arg;

    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES |
                                                                          ICC_LISTVIEW_CLASSES |
                                                                          ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&controls);
    Form1 window;
    WinDialogs dialogs("kelvologger");
    dialogs.setOwner(window.handle());
    Logger logger(window, dialogs, programFolder);
    window.attach(logger.presenter);
    int status = 0;
    if (logger.presenter.start(arguments)) {
        MSG msg;
        while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
            if (IsDialogMessageW(window.handle(), &msg)) continue;
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        status = static_cast<int>(msg.wParam);
    }
    window.detach();
    return status;
}
