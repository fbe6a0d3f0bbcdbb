#include "CodePage.h"

#include <array>

namespace logfiles {

namespace {
constexpr std::array<unsigned char, 256> makeUpperTable() {
    std::array<unsigned char, 256> t{};
    for (unsigned i = 0; i < 256; ++i)
        t[i] = static_cast<unsigned char>(i);
    for (unsigned c = 'a'; c <= 'z'; ++c)
        t[c] = static_cast<unsigned char>(c - 32);
    // à..þ map to À..Þ, except ÷ (0xF7), which is no letter.
    for (unsigned c = 0xE0; c <= 0xFE; ++c)
        if (c != 0xF7) t[c] = static_cast<unsigned char>(c - 32);
    t[0x9A] = 0x8A; // š Š
    t[0x9C] = 0x8C; // œ Œ
    t[0x9E] = 0x8E; // ž Ž
    t[0xFF] = 0x9F; // ÿ Ÿ
    return t;
}
constexpr auto kUpper = makeUpperTable();
} // namespace

char toUpper1252(char c) {
    return static_cast<char>(kUpper[static_cast<unsigned char>(c)]);
}

std::string toUpper1252(std::string_view s) {
    std::string r(s);
    for (auto& c : r)
        c = toUpper1252(c);
    return r;
}

} // namespace logfiles
