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

} // namespace logfiles
