#include "Environment.h"

#include <cstdlib>

namespace registry {

std::string expandEnvironment(std::string_view text) {
    std::string out;
    for (;;) {
        const auto open = text.find('%');
        const auto close = open == std::string_view::npos ? open : text.find('%', open + 1);
        if (close == std::string_view::npos) return out += text;
        const std::string name(text.substr(open + 1, close - open - 1));
        const char* value = name.empty() ? nullptr : std::getenv(name.c_str());
        out += text.substr(0, open);
        out += value ? std::string_view(value) : text.substr(open, close - open + 1);
        text.remove_prefix(close + 1);
    }
}

} // namespace registry
