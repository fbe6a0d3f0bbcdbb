#include "DisplayChars.h"

#include <algorithm>
#include <array>
#include <utility>

namespace display {

namespace {
// Windows-1252's 0x80-0x9F; 0 marks the five codes it leaves unassigned.
constexpr std::array<char16_t, 32> kHigh = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

constexpr char16_t kReplacement = 0xFFFD;
} // namespace

char16_t charOf(unsigned char b) {
    if (b < 0x20) return static_cast<char16_t>(0x2400 + b); // the Control Pictures block
    if (b == 0x7F) return 0x2421;
    if (b >= 0x80 && b < 0xA0) return kHigh[b - 0x80] ? kHigh[b - 0x80] : kReplacement;
    return b;
}

std::u16string toUtf16(std::string_view bytes, std::u16string_view lineBreak) {
    const bool multiLine = !lineBreak.empty();
    std::u16string out;
    out.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        if (multiLine && b == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') {
            out += lineBreak;
            ++i;
        } else if (multiLine && b == '\t') {
            out += u'\t';
        } else {
            out += charOf(b);
        }
    }
    return out;
}

bool toWindows1252(std::u16string_view text, std::string& bytes) {
    static const auto kByteOf = [] {
        std::array<std::pair<char16_t, unsigned char>, 256 + 32> table{};
        for (unsigned b = 0; b < 256; ++b)
            table[b] = {charOf(static_cast<unsigned char>(b)), static_cast<unsigned char>(b)};
        // Control bytes also stand for themselves, as a paste may carry them.
        for (unsigned b = 0; b < 32; ++b)
            table[256 + b] = {static_cast<char16_t>(b), static_cast<unsigned char>(b)};
        std::sort(table.begin(), table.end());
        return table;
    }();
    bytes.clear();
    bytes.reserve(text.size());
    bool exact = true;
    for (const char16_t c : text) {
        const auto it = std::lower_bound(kByteOf.begin(), kByteOf.end(),
                                         std::pair<char16_t, unsigned char>{c, 0});
        const bool found = it != kByteOf.end() && it->first == c && c != kReplacement;
        exact = exact && found;
        bytes += found ? static_cast<char>(it->second) : '?';
    }
    return exact;
}

} // namespace display
