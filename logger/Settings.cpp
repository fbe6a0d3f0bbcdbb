#include "Settings.h"

#include <charconv>
#include <cmath>

namespace settings {

namespace {
bool isBlank(char c) {
    return c == ' ' || c == '\t';
}
bool isLineEnd(char c) {
    return c == '\r' || c == '\n';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string_view trimBlanks(std::string_view s) {
    while (!s.empty() && isBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

// Length of the decimal number ([sign] digits [. digits] [E|D [sign] digits]) at the start
// of s, or 0 when s does not begin with one. The exponent counts only with digits after it.
std::size_t decimalLength(std::string_view s) {
    std::size_t i = 0, digits = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    for (; i < s.size() && isDigit(s[i]); ++i)
        ++digits;
    if (i < s.size() && s[i] == '.')
        for (++i; i < s.size() && isDigit(s[i]); ++i)
            ++digits;
    if (digits == 0) return 0;
    if (i < s.size() && (s[i] == 'E' || s[i] == 'e' || s[i] == 'D' || s[i] == 'd')) {
        std::size_t j = i + 1;
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) ++j;
        const std::size_t expStart = j;
        while (j < s.size() && isDigit(s[j]))
            ++j;
        if (j > expStart) i = j;
    }
    return i;
}

// The value of a text that decimalLength accepted whole; nothing if it overflows.
std::optional<double> decimalValue(std::string_view s) {
    std::string text(s);
    for (auto& c : text)
        if (c == 'D' || c == 'd') c = 'e';
    const bool negative = !text.empty() && text.front() == '-';
    const char* first = text.data() + (!text.empty() && (text[0] == '+' || text[0] == '-'));
    double v = 0;
    const auto [end, ec] = std::from_chars(first, text.data() + text.size(), v);
    if (ec != std::errc{} || end != text.data() + text.size() || !std::isfinite(v))
        return std::nullopt;
    return negative ? -v : v;
}
} // namespace

std::vector<Record> readRecords(std::string_view text) {
    std::vector<Record> records;
    std::size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && isBlank(text[i]))
            ++i;
        const std::size_t start = i;
        while (i < text.size() && text[i] != ',' && !isLineEnd(text[i]))
            ++i;
        const auto record = text.substr(start, i - start);
        // A comma ends one record; a line end (CR LF, or a bare CR or LF from an editor
        // elsewhere) ends one too.
        if (i < text.size() && text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        if (i < text.size()) ++i;
        if (record.size() <= kKeyLength) continue;
        for (std::size_t k = 0; k < kKeys.size(); ++k) {
            if (record.substr(0, kKeyLength) == kKeys[k]) {
                records.push_back(
                    {static_cast<Setting>(k), std::string(record.substr(kKeyLength))});
                break;
            }
        }
    }
    return records;
}

double roundHalfEven(double v) {
    const double floor = std::floor(v);
    const double diff = v - floor;
    if (diff < 0.5) return floor;
    if (diff > 0.5) return floor + 1;
    return std::fmod(floor, 2.0) == 0 ? floor : floor + 1;
}

std::optional<int> switchState(std::string_view value) {
    const auto s = trimBlanks(value);
    if (s.empty() || decimalLength(s) != s.size()) return std::nullopt;
    const auto v = decimalValue(s);
    if (!v) return std::nullopt;
    const double r = roundHalfEven(*v);
    if (r < 0 || r > 2) return std::nullopt;
    return static_cast<int>(r);
}

double leadingNumber(std::string_view text) {
    std::string s;
    for (char c : text)
        if (!isBlank(c) && c != '\n' && c != '\r') s += c;
    if (s.size() >= 2 && s[0] == '&' &&
        (s[1] == 'H' || s[1] == 'h' || s[1] == 'O' || s[1] == 'o')) {
        const int base = (s[1] == 'H' || s[1] == 'h') ? 16 : 8;
        unsigned long long v = 0;
        const auto [end, ec] = std::from_chars(s.data() + 2, s.data() + s.size(), v, base);
        (void)end;
        return ec == std::errc{} ? static_cast<double>(v) : 0.0;
    }
    const std::size_t n = decimalLength(s);
    if (n == 0) return 0;
    return decimalValue(std::string_view(s).substr(0, n)).value_or(0.0);
}

std::string portText(std::string_view value) {
    const double v = leadingNumber(value);
    if (v == std::floor(v) && std::fabs(v) < 1e15) {
        return std::to_string(static_cast<long long>(v));
    }
    char buf[32];
    const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, v);
    (void)ec;
    return std::string(buf, end);
}

std::string fileText(const Switches& switches, std::string_view udpport) {
    std::string text;
    for (std::size_t k = 0; k < kSwitchCount; ++k)
        text += std::string(kKeys[k]) + std::to_string(switches[k]) + "\r\n";
    text += std::string(kKeys[kSwitchCount]) + std::string(udpport) + "\r\n";
    return text;
}

} // namespace settings
