#pragma once

#include "Finder.h"

#include <cstddef>
#include <string>
#include <vector>

namespace viewer {

// The text of the log view with its marks and selection. Marks are kept as offsets, not as
// formatting, so that re-marking a large log costs one scan and the view paints only what it
// shows.
class ShownText {
public:
    struct Selection {
        std::size_t start = 0;
        std::size_t length = 0;
        bool operator==(const Selection&) const = default;
    };

    void assign(std::string text); // replaces the text, and with it every mark
    void clear() { assign({}); }

    // Unmarks everything and selects the whole text.
    void clearHighlight();
    // Clears, then marks every occurrence; the selection ends on the last one. False for none.
    bool markAll(const Finder& finder);

    const std::string& text() const { return m_text; }
    bool empty() const { return m_text.empty(); }
    const std::vector<std::size_t>& marks() const { return m_marks; }
    std::size_t markLength() const { return m_markLength; }
    Selection selection() const { return m_selection; }

    // Lines split at CR LF, as the view shows them: the offset where each begins.
    const std::vector<std::size_t>& lineStarts() const { return m_lineStarts; }
    std::size_t lineOf(std::size_t offset) const;
    // The line's bytes without its CR LF.
    std::string_view line(std::size_t index) const;
    // The index of the longest line (the first of equals): what the views size their width by.
    std::size_t longestLine() const;

    // One line in runs of marked and unmarked bytes, for the windows to draw: from(0) is the
    // first run, from(r.end) the next, while r.end is short of the line's length.
    class LineRuns {
    public:
        struct Run {
            std::size_t end; // offset in the line where the run ends
            bool marked;
        };
        LineRuns(const ShownText& shown, std::size_t index);
        Run from(std::size_t offset);

    private:
        const ShownText& m_shown;
        std::size_t m_base;
        std::size_t m_length;
        std::vector<std::size_t>::const_iterator m_mark;
    };

private:
    std::string m_text;
    std::string m_folded;
    std::vector<std::size_t> m_lineStarts{0};
    std::vector<std::size_t> m_marks;
    std::size_t m_markLength = 0;
    Selection m_selection;
};

} // namespace viewer
