#include "ProgramOptions.h"

#include <algorithm>

namespace logfiles {

std::optional<int> answerCommonOptions(const std::vector<std::string_view>& args,
                                       std::initializer_list<std::string_view> ownOptions,
                                       const ProgramText& text, std::ostream& out,
                                       std::ostream& err) {
    for (const auto arg : args) {
        if (arg == "--help") {
            out << text.help;
            return 0;
        }
        if (arg == "--version") {
            out << text.name << ' ' << text.version << '\n';
            return 0;
        }
    }
    for (const auto arg : args) {
        if (arg.starts_with("--") &&
            std::find(ownOptions.begin(), ownOptions.end(), arg) == ownOptions.end()) {
            err << text.name << ": unknown option " << arg << " (--help lists the options)\n";
            return 2;
        }
    }
    return std::nullopt;
}

std::string loggerHelp(const std::filesystem::path& filesFolder, bool headlessOption) {
    return std::string("usage: kelvologger [/m]") + (headlessOption ? " [--headless]" : "") +
           "\n"
           "Listens for Kelvo IM's datagrams on a UDP port (4111) and logs the activity.\n"
           "  /m           start with the window minimised\n" +
           (headlessOption
                ? "  --headless   no window, even on a desktop: each logged line is printed\n"
                : "") +
           "  --help       this text;  --version  the version\n"
           "Logs (" +
           (std::filesystem::path("logs") / "").string() +
           ") and settings (loggersettings.txt) are kept in\n  " + filesFolder.string() + "\n";
}

std::string viewerHelp(const std::filesystem::path& logsFolder) {
    return "usage: kelvologviewer\n"
           "Lists, shows, searches and deletes the logs that kelvologger writes, in\n  " +
           logsFolder.string() + "\n  --help       this text;  --version  the version\n";
}

} // namespace logfiles
