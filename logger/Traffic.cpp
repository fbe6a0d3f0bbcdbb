#include "Traffic.h"

namespace traffic {

Kind classify(std::string_view line) {
    if (line.starts_with("***")) return Kind::signOn;
    if (line.starts_with("-**")) return Kind::signOff;
    if (line.starts_with("**-")) return Kind::hello;
    if (line.starts_with("[")) return Kind::message;
    return Kind::junk;
}

std::string_view label(Kind kind) {
    switch (kind) {
    case Kind::signOn:
        return "SIGN ON :";
    case Kind::signOff:
        return "SIGN OFF:";
    case Kind::hello:
        return "HELLO   :";
    case Kind::message:
        return "MESSAGE :";
    case Kind::junk:
        break;
    }
    return "JUNK    :";
}

std::string_view identity(std::string_view line) {
    return line.substr(std::min<std::size_t>(3, line.size()));
}

std::string_view payload(Kind kind, std::string_view line) {
    return kind == Kind::message || kind == Kind::junk ? line : identity(line);
}

Names splitNames(std::string_view line) {
    // p counts from 1 and is 0 without "=": the user name is the last (length - p)
    // characters, the computer name the p - 6 characters from position 5.
    const auto eq = line.find('=');
    const std::size_t p = eq == std::string_view::npos ? 0 : eq + 1;
    Names names{std::string(line.substr(p)), {}};
    if (p > 6) names.computer = std::string(line.substr(4, p - 6));
    return names;
}

} // namespace traffic
