#include "DesktopEntry.h"

#include <algorithm>
#include <charconv>
#include <optional>

namespace registry::desktop {

namespace {

constexpr std::string_view kGroup = "[Desktop Entry]";
constexpr std::string_view kNameKey = "X-Kelvo-Registry-Name";
constexpr std::string_view kTypeKey = "X-Kelvo-Registry-Type";
constexpr std::string_view kDataKey = "X-Kelvo-Registry-Data";
// Characters that make the freedesktop.org desktop entry format ask for a quoted argument.
constexpr std::string_view kReserved = " \t\n\r\"'\\><~|&;$*?#()`";
constexpr std::string_view kHexDigits = "0123456789ABCDEF";

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

// Our own keys hold any byte: printable ASCII stays as it is, the rest becomes %XX.
std::string percentEncoded(std::string_view bytes) {
    std::string out;
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte > 0x20 && byte < 0x7F && c != '%' && c != '\\') {
            out += c;
        } else {
            out += '%';
            out += kHexDigits[byte >> 4];
            out += kHexDigits[byte & 0xF];
        }
    }
    return out;
}

std::optional<std::string> percentDecoded(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            out += text[i];
            continue;
        }
        unsigned byte = 0;
        const auto* first = text.data() + i + 1;
        if (i + 3 > text.size() || std::from_chars(first, first + 2, byte, 16).ptr != first + 2)
            return std::nullopt;
        out += static_cast<char>(byte);
        i += 2;
    }
    return out;
}

// A string value as the freedesktop.org desktop entry format escapes it.
std::string escapedString(std::string_view text) {
    std::string out;
    for (const char c : text) {
        switch (c) {
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\t':
            out += "\\t";
            break;
        case '\r':
            out += "\\r";
            break;
        default:
            out += c;
        }
    }
    if (out.starts_with(' ')) out.replace(0, 1, "\\s");
    return out;
}

std::string quotedArgument(std::string_view argument) {
    if (!argument.empty() && argument.find_first_of(kReserved) == std::string_view::npos)
        return std::string(argument);
    std::string out = "\"";
    for (const char c : argument) {
        if (c == '"' || c == '`' || c == '$' || c == '\\') out += '\\';
        out += c;
    }
    return out + '"';
}

} // namespace

std::vector<std::string> commandLineArguments(std::string_view line) {
    std::vector<std::string> arguments;
    std::size_t i = 0;
    while (i < line.size() && isBlank(line[i]))
        ++i;
    if (i == line.size()) return arguments;

    // The program: no escapes, a quote only opens or closes.
    std::string program;
    bool quoted = false;
    for (; i < line.size() && (quoted || !isBlank(line[i])); ++i) {
        if (line[i] == '"')
            quoted = !quoted;
        else
            program += line[i];
    }
    arguments.push_back(program);

    for (;;) {
        while (i < line.size() && isBlank(line[i]))
            ++i;
        if (i == line.size()) return arguments;
        std::string argument;
        quoted = false;
        while (i < line.size() && (quoted || !isBlank(line[i]))) {
            if (line[i] == '\\') {
                const auto stop = std::min(line.find_first_not_of('\\', i), line.size());
                const auto run = stop - i;
                i = stop;
                if (i < line.size() && line[i] == '"') {
                    // 2n backslashes and a quote: n backslashes, and the quote counts;
                    // 2n+1: n backslashes and a literal quote.
                    argument.append(run / 2, '\\');
                    if (run % 2 == 1) {
                        argument += '"';
                        ++i;
                    }
                } else {
                    argument.append(run, '\\');
                }
            } else if (line[i] == '"') {
                if (quoted && i + 1 < line.size() && line[i + 1] == '"') {
                    argument += '"';
                    ++i;
                } else {
                    quoted = !quoted;
                }
                ++i;
            } else {
                argument += line[i++];
            }
        }
        arguments.push_back(argument);
    }
}

std::string execValue(const std::vector<std::string>& arguments) {
    std::string line;
    for (const auto& argument : arguments) {
        if (!line.empty()) line += ' ';
        for (const char c : quotedArgument(argument)) {
            line += c;
            if (c == '%') line += '%';
        }
    }
    return escapedString(line);
}

std::string entryText(const RunValue& value, std::string_view command) {
    std::string text =
        "# Start at logon, kept by the Kelvo programs' registry. The X-Kelvo-Registry "
        "keys hold the value as written.\n";
    text += std::string(kGroup) + "\nType=Application\n";
    text += "Name=" + escapedString(value.name.empty() ? "(Default)" : value.name) + '\n';
    if (command.empty())
        text += "Hidden=true\n";
    else
        text += "Exec=" + execValue(commandLineArguments(command)) + '\n';
    text += std::string(kNameKey) + '=' + percentEncoded(value.name) + '\n';
    text += std::string(kTypeKey) + '=' + std::to_string(value.type) + '\n';
    text += std::string(kDataKey) + '=' + percentEncoded(value.data) + '\n';
    return text;
}

bool parseEntry(std::string_view text, RunValue& value) {
    std::optional<std::string> name, type, data;
    bool inGroup = false;
    while (!text.empty()) {
        const auto end = text.find('\n');
        auto line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (line.ends_with('\r')) line.remove_suffix(1);
        if (line.starts_with('[')) {
            inGroup = line == kGroup;
            continue;
        }
        const auto equals = line.find('=');
        if (!inGroup || equals == std::string_view::npos) continue;
        const auto key = line.substr(0, equals);
        auto* target = key == kNameKey   ? &name
                       : key == kTypeKey ? &type
                       : key == kDataKey ? &data
                                         : nullptr;
        if (!target) continue;
        if (*target) return false; // a key twice: which one holds?
        *target = percentDecoded(line.substr(equals + 1));
        if (!*target) return false;
    }
    if (!name || !type || !data) return false;
    const auto [end, ec] = std::from_chars(type->data(), type->data() + type->size(), value.type);
    if (ec != std::errc() || end != type->data() + type->size()) return false;
    value.name = std::move(*name);
    value.data = std::move(*data);
    return true;
}

} // namespace registry::desktop
