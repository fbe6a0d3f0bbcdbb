#pragma once

#include <filesystem>
#include <initializer_list>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace logfiles {

struct ProgramText {
    std::string_view name;
    std::string_view version;
    std::string help; // printed whole by --help
};

// The options every program of the project answers alike, before it touches anything:
// "--help" and "--version" print and end the program (status 0); any other argument that
// begins with "--" and is not one of the program's own is refused in one line (status 2).
// Nothing: the program goes on and reads its other arguments as before.
std::optional<int> answerCommonOptions(const std::vector<std::string_view>& args,
                                       std::initializer_list<std::string_view> ownOptions,
                                       const ProgramText& text, std::ostream& out,
                                       std::ostream& err);

// What --help prints, the same from every shell of a program. `headlessOption`: the shell
// takes --headless (the Linux logger).
std::string loggerHelp(const std::filesystem::path& filesFolder, bool headlessOption);
std::string viewerHelp(const std::filesystem::path& logsFolder);

} // namespace logfiles
