// The highlight pass: the first byte of the input is the search text's length, the search
// text follows, the rest is the shown log. Marks must be every non-overlapping occurrence,
// left to right, matching without regard to letter case.
#include "logfiles/CodePage.h"
#include "viewer/ShownText.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::size_t n = std::min<std::size_t>(data[0], size - 1);
    const std::string search(reinterpret_cast<const char*>(data + 1), n);
    const std::string text(reinterpret_cast<const char*>(data + 1 + n), size - 1 - n);
    viewer::ShownText shown;
    shown.assign(text);
    const bool found = shown.markAll(viewer::Finder(search));
    const auto& marks = shown.marks();
    if (found != !marks.empty()) std::abort();
    const auto upper = logfiles::toUpper1252(text), wanted = logfiles::toUpper1252(search);
    std::size_t from = 0;
    for (std::size_t at : marks) {
        // Each mark is the next occurrence at or after the end of the one before.
        if (search.empty() || upper.find(wanted, from) != at) std::abort();
        from = at + search.size();
    }
    if (!search.empty() && upper.find(wanted, from) != std::string::npos) std::abort();
    const auto sel = shown.selection();
    if (found ? (sel.start != marks.back() || sel.length != search.size())
              : (sel.start != 0 || sel.length != text.size()))
        std::abort();
    return 0;
}
