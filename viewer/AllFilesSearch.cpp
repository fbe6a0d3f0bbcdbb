#include "AllFilesSearch.h"

#include "LogFolder.h"

namespace viewer {

std::size_t startRow(std::optional<std::size_t> selected, std::size_t rowCount, bool continueFlag,
                     std::string_view notice) {
    if (notice == kNotFoundStartOver || !selected || rowCount == 0) return 0;
    const std::size_t s = *selected, last = rowCount - 1;
    if (continueFlag) return s < last ? s + 1 : last;
    return s == last ? 0 : s;
}

ScanResult scanRows(const std::vector<LogRow>& rows, std::size_t from, const Finder& finder) {
    ScanResult result;
    std::string text, folded;
    for (std::size_t r = from; r < rows.size(); ++r) {
        if (readLog(rows[r].path, text)) continue;
        foldInto(text, folded);
        // Only the last log read is kept: a log without a hit is never shown unless it ends
        // the press.
        std::swap(result.text, text);
        result.loaded = r;
        if (finder.occursIn(folded)) {
            result.hit = r;
            break;
        }
    }
    return result;
}

} // namespace viewer
