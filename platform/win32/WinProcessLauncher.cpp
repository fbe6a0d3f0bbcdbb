#include "WinProcessLauncher.h"

#include "Utf16.h"

#include <windows.h>

std::string WinProcessLauncher::startDetached(const std::filesystem::path& program) {
    STARTUPINFOW si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESHOWWINDOW;
    si.wShowWindow = SW_SHOWMINIMIZED;
    PROCESS_INFORMATION pi{};
    std::wstring commandLine = L"\"" + program.wstring() + L"\"";
    const std::wstring folder = program.parent_path().wstring();
    if (!CreateProcessW(program.wstring().c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                        nullptr, folder.empty() ? nullptr : folder.c_str(), &si, &pi))
        return systemMessage(GetLastError());
    AllowSetForegroundWindow(pi.dwProcessId);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return {};
}
