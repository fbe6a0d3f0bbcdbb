#pragma once

#include "viewer/ShownText.h"

#include <QAbstractScrollArea>
#include <array>

// RichTextBox1: paints the presenter's text line by line, only the lines in sight, with the
// marked occurrences red and bold. A keystroke that re-marks a 10 MB log costs one repaint of
// the visible lines, not a reformatting of the whole text.
class LogTextView : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit LogTextView(QWidget* parent = nullptr);
    void setSource(const viewer::ShownText& shown);

    void textReplaced(); // new text: back to its top
    void marksChanged(); // the last occurrence comes into sight
    std::size_t firstVisibleLine() const;
    std::size_t visibleLineCount() const;

    // Lines the user picked with the mouse (or all, by Ctrl+A), for the clipboard.
    void selectLines(std::size_t from, std::size_t to);
    QString selectedText() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    using Widths = std::array<qreal, 256>; // one byte is one character

    void measureFont();
    void updateScrollBars();
    qreal widthOf(std::string_view bytes, const Widths& widths) const;
    void drawLine(QPainter& painter, std::size_t index, qreal baseline) const;
    void bringIntoView(std::size_t offset);
    std::size_t lineAt(qreal y) const;
    bool lineSelected(std::size_t line) const;

    const viewer::ShownText* m_shown;
    QFont m_normalFont;
    QFont m_boldFont;
    Widths m_widths{};
    Widths m_boldWidths{};
    qreal m_lineHeight = 1;
    qreal m_ascent = 0;
    qreal m_contentWidth = 0;
    std::size_t m_anchorLine = 0, m_caretLine = 0;
    bool m_linesSelected = false;
};
