#include "ProgramStart.h"

#include "Utf16.h"

#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <windows.h>

#include <shellapi.h>

namespace programstart {

std::filesystem::path runningProgramFolder() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n < path.size()) return std::filesystem::path(path.substr(0, n)).parent_path();
        path.resize(path.size() * 2); // a long path, cut short
    }
}

std::vector<std::string> arguments() {
    int count = 0;
    LPWSTR* args = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> result;
    for (int i = 1; args && i < count; ++i)
        result.push_back(narrow(args[i]));
    LocalFree(args);
    return result;
}

std::optional<int> answerCommonOptions(const std::vector<std::string>& args,
                                       std::initializer_list<std::string_view> ownOptions,
                                       const logfiles::ProgramText& text) {
    std::ostringstream out, err;
    const auto status =
        logfiles::answerCommonOptions({args.begin(), args.end()}, ownOptions, text, out, err);
    if (!status) return status;
    const std::string said = out.str() + err.str();
    const DWORD stream = err.str().empty() ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE;
    const HANDLE handle = GetStdHandle(stream);
    DWORD written = 0;
    if (handle && handle != INVALID_HANDLE_VALUE &&
        WriteFile(handle, said.data(), static_cast<DWORD>(said.size()), &written, nullptr))
        return status;
    MessageBoxW(nullptr, widen(said).c_str(), widen(text.name).c_str(),
                *status == 0 ? MB_ICONINFORMATION : MB_ICONERROR);
    return status;
}

std::vector<std::filesystem::path> rescueFolders(const std::string& programName) {
    std::vector<std::filesystem::path> folders;
    if (const char* local = std::getenv("LOCALAPPDATA"); local && *local)
        folders.push_back(std::filesystem::path(local) / programName);
    std::error_code ec;
    const auto temp = std::filesystem::temp_directory_path(ec);
    if (!ec) folders.push_back(temp / programName);
    return folders;
}

} // namespace programstart
