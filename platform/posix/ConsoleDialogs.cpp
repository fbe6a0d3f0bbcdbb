#include "ConsoleDialogs.h"

namespace {
std::string withoutCr(std::string_view text) {
    std::string s;
    for (char c : text)
        if (c != '\r') s += c;
    return s;
}
} // namespace

Answer ConsoleDialogs::message(std::string_view text, Buttons buttons, Icon,
                               std::string_view title) {
    m_out << (title.empty() ? m_programTitle : std::string(title)) << ": " << withoutCr(text)
          << std::endl;
    switch (buttons) {
    case Buttons::Ok: return Answer::Ok;
    case Buttons::YesNo: return Answer::No;
    case Buttons::YesNoCancel: break;
    }
    return Answer::Cancel;
}

std::optional<std::string> ConsoleDialogs::input(std::string_view, std::string_view,
                                                 std::string_view) {
    return std::nullopt;
}
