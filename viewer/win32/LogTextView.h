#pragma once

#include "platform/win32/WinUi.h"
#include "viewer/ShownText.h"

#include <array>
#include <windows.h>

// RichTextBox1: paints the presenter's text line by line, only the lines in sight, with the
// marked occurrences red and bold. A keystroke that re-marks a 10 MB log costs one repaint of
// the visible lines, not a reformatting of the whole text. Lines are picked with the mouse
// (or all by Ctrl+A) and copied by Ctrl+C.
class LogTextView : public winui::Window {
public:
    LogTextView(HWND parent, int id);
    ~LogTextView();
    void setSource(const viewer::ShownText& shown);
    void setFont(HFONT normal, HFONT bold); // the view owns neither

    void textReplaced(); // new text: back to its top
    void marksChanged(); // the last occurrence comes into sight
    std::size_t firstVisibleLine() const { return m_firstLine; }
    void selectLines(std::size_t from, std::size_t to);
    std::wstring selectedText() const;

private:
    using Widths = std::array<int, 256>; // one byte is one character

    LRESULT onMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    void measureFont();
    void updateScrollBars();
    void scrollTo(std::size_t line, int x);
    void scrollBy(int bar, WPARAM request);
    int widthOf(std::string_view bytes, const Widths& widths) const;
    void paint(HDC dc, const RECT& client) const;
    void drawLine(HDC dc, std::size_t index, int top, int right) const;
    void bringIntoView(std::size_t offset);
    std::size_t lineAt(int y) const;
    std::size_t visibleLineCount() const;
    bool lineSelected(std::size_t line) const;
    void copy() const;

    const viewer::ShownText* m_shown;
    HFONT m_normalFont = nullptr, m_boldFont = nullptr;
    Widths m_widths{}, m_boldWidths{};
    int m_lineHeight = 1;
    int m_contentWidth = 0;
    std::size_t m_firstLine = 0;
    int m_left = 0; // pixels scrolled to the right
    std::size_t m_anchorLine = 0, m_caretLine = 0;
    bool m_linesSelected = false;
    int m_wheelRest = 0;
};
