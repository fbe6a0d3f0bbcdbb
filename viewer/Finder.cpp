#include "Finder.h"

#include "logfiles/CodePage.h"

#include <array>
#include <cstring>

namespace viewer {

void foldInto(std::string_view text, std::string& folded) {
    // A table of our own, inlined here: folding runs over every byte of every log searched.
    static const auto kFold = [] {
        std::array<char, 256> t{};
        for (unsigned b = 0; b < 256; ++b)
            t[b] = logfiles::foldCase1252(static_cast<char>(static_cast<unsigned char>(b)));
        return t;
    }();
    folded.resize(text.size());
    for (std::size_t i = 0; i < text.size(); ++i)
        folded[i] = kFold[static_cast<unsigned char>(text[i])];
}

Finder::Finder(std::string_view searchText) {
    foldInto(searchText, m_folded);
}

std::size_t Finder::next(std::string_view folded, std::size_t from) const {
    if (m_folded.empty() || from > folded.size()) return std::string_view::npos;
#if defined(__GLIBC__)
    // glibc's memmem scans long texts several times faster than a character-by-character find.
    const void* hit =
        ::memmem(folded.data() + from, folded.size() - from, m_folded.data(), m_folded.size());
    return hit ? static_cast<std::size_t>(static_cast<const char*>(hit) - folded.data())
               : std::string_view::npos;
#else
    return folded.find(m_folded, from);
#endif
}

std::vector<std::size_t> Finder::findAll(std::string_view folded) const {
    std::vector<std::size_t> found;
    for (auto at = next(folded, 0); at != std::string_view::npos; at = next(folded, at + length()))
        found.push_back(at);
    return found;
}

bool Finder::occursIn(std::string_view folded) const {
    return next(folded, 0) != std::string_view::npos;
}

} // namespace viewer
