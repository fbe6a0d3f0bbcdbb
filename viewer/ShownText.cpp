#include "ShownText.h"

#include "logfiles/TextFile.h"

#include <algorithm>

namespace viewer {

void ShownText::assign(std::string text) {
    m_text = std::move(text);
    foldInto(m_text, m_folded);
    m_lineStarts.assign(1, 0);
    const std::string_view end = logfiles::kLineEnd;
    for (auto at = m_text.find(end); at != std::string::npos; at = m_text.find(end, at + 2))
        if (at + 2 < m_text.size()) m_lineStarts.push_back(at + 2);
    m_marks.clear();
    m_markLength = 0;
    m_selection = {};
}

void ShownText::clearHighlight() {
    m_marks.clear();
    m_markLength = 0;
    m_selection = {0, m_text.size()};
}

bool ShownText::markAll(const Finder& finder) {
    clearHighlight();
    m_marks = finder.findAll(m_folded);
    if (m_marks.empty()) return false;
    m_markLength = finder.length();
    m_selection = {m_marks.back(), m_markLength};
    return true;
}

std::size_t ShownText::lineOf(std::size_t offset) const {
    const auto it = std::upper_bound(m_lineStarts.begin(), m_lineStarts.end(), offset);
    return static_cast<std::size_t>(it - m_lineStarts.begin()) - 1;
}

std::string_view ShownText::line(std::size_t index) const {
    const std::size_t begin = m_lineStarts[index];
    std::size_t end = index + 1 < m_lineStarts.size() ? m_lineStarts[index + 1] : m_text.size();
    const std::string_view text = m_text;
    if (text.substr(begin, end - begin).ends_with(logfiles::kLineEnd)) end -= 2;
    return text.substr(begin, end - begin);
}

std::size_t ShownText::longestLine() const {
    std::size_t longest = 0, longestLength = 0;
    for (std::size_t i = 0; i < m_lineStarts.size(); ++i)
        if (const auto n = line(i).size(); n > longestLength) {
            longest = i;
            longestLength = n;
        }
    return longest;
}

ShownText::LineRuns::LineRuns(const ShownText& shown, std::size_t index)
    : m_shown(shown), m_base(shown.m_lineStarts[index]), m_length(shown.line(index).size()),
      // The first mark that reaches into this line.
      m_mark(std::upper_bound(
          shown.m_marks.begin(), shown.m_marks.end(), m_base,
          [&](std::size_t at, std::size_t m) { return at < m + shown.m_markLength; })) {}

ShownText::LineRuns::Run ShownText::LineRuns::from(std::size_t offset) {
    const auto& marks = m_shown.m_marks;
    const std::size_t length = m_shown.m_markLength;
    while (m_mark != marks.end() && *m_mark + length <= m_base + offset)
        ++m_mark;
    const bool marked = m_mark != marks.end() && *m_mark <= m_base + offset;
    // A run ends where the marking changes.
    const std::size_t end = marked                  ? *m_mark + length - m_base
                            : m_mark != marks.end() ? *m_mark - m_base
                                                    : m_length;
    return {std::min(m_length, end), marked};
}

} // namespace viewer
