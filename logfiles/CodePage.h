#pragma once

#include <string>
#include <string_view>

// Letter case in the Windows-1252 code page in which the messenger's text and the log files
// are written: A-Z and the accented Latin letters, one byte each, so offsets never move.
namespace logfiles {

char toUpper1252(char c);
std::string toUpper1252(std::string_view s);

// The byte that two letters differing only in case share; used for matching and sorting.
inline char foldCase1252(char c) {
    return toUpper1252(c);
}

} // namespace logfiles
