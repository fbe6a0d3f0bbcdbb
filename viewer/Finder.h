#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace viewer {

// The text with every letter in one case, so that a plain byte search ignores letter case.
void foldInto(std::string_view text, std::string& folded);

// Finds a search text without regard to letter case, in a text folded by foldInto.
class Finder {
public:
    explicit Finder(std::string_view searchText);

    // Offsets of the occurrences from left to right; the scan resumes behind each one, so
    // they never overlap.
    std::vector<std::size_t> findAll(std::string_view folded) const;
    bool occursIn(std::string_view folded) const;
    std::size_t length() const { return m_folded.size(); }

private:
    std::size_t next(std::string_view folded, std::size_t from) const;

    std::string m_folded;
};

} // namespace viewer
