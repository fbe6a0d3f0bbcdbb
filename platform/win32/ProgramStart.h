#pragma once

#include "logfiles/ProgramOptions.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

// What a Windows program asks before it opens its window.
namespace programstart {

// The folder of the running executable, as the posix side's runningProgramFolder().
std::filesystem::path runningProgramFolder();

// The arguments after the program's own path, as UTF-8.
std::vector<std::string> arguments();

// logfiles::answerCommonOptions for a program without a console: the answer goes to the
// standard output or error where the caller gave it one (a redirection, a console), else into
// a message box, since a GUI program started from Explorer has nowhere else to say it.
std::optional<int> answerCommonOptions(const std::vector<std::string>& args,
                                       std::initializer_list<std::string_view> ownOptions,
                                       const logfiles::ProgramText& text);

// The user's folders, best first, that take the logger's files when its own folder cannot:
// %LOCALAPPDATA%\<program>, then <program> in the user's temporary folder (which on Windows
// is the user's own).
std::vector<std::filesystem::path> rescueFolders(const std::string& programName);

} // namespace programstart
