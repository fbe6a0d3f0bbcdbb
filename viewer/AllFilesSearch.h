#pragma once

#include "Finder.h"
#include "LogRows.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace viewer {

inline constexpr std::string_view kNotFound = "Not Found";
// Left by a search of all logs that found nothing: the next one starts at the first row.
inline constexpr std::string_view kNotFoundStartOver = "Not Found ";

// The row a press of "Search All files" begins at (rows from 0). With no row selected it
// begins at the first.
std::size_t startRow(std::optional<std::size_t> selected, std::size_t rowCount, bool continueFlag,
                     std::string_view notice);

// The outcome of reading the rows from a start row on until one holds the search text.
struct ScanResult {
    std::optional<std::size_t> hit;
    std::optional<std::size_t> loaded; // the hit, else the last row that could be read
    std::string text;                  // that row's text
};

// Rows that cannot be read (gone, locked, too large, no regular file) are passed over.
ScanResult scanRows(const std::vector<LogRow>& rows, std::size_t from, const Finder& finder);

} // namespace viewer
