// The list's reading of file names: any name gives a row, and a name read as a date gives
// back the same name when written again.
#include "logfiles/LogNames.h"
#include "viewer/LogRows.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const EnglishDateNames names;
    static const viewer::RowMaker rows(names);
    const std::string name(reinterpret_cast<const char*>(data), size);
    if (const auto t = logfiles::archiveTime(name))
        if (logfiles::archiveName(*t) != name) std::abort();
    const auto row = rows.row("/logs", name);
    if (row.dateText.empty() || row.timeText.empty()) std::abort();
    return 0;
}
