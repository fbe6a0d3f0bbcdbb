#include "LogTextView.h"

#include "platform/qt/DisplayText.h"

#include <QClipboard>
#include <QEvent>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>
#include <cmath>
#include <limits>

namespace {
constexpr qreal kMargin = 3;
const QColor kMarkColour(255, 0, 0);
// Beyond this a line's width is estimated: measuring it all would stall a binary file's load.
constexpr std::size_t kMeasuredBytes = 1 << 20;
} // namespace

LogTextView::LogTextView(QWidget* parent) : QAbstractScrollArea(parent) {
    static const viewer::ShownText kNothing;
    m_shown = &kNothing;
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setBackgroundRole(QPalette::Base);
    measureFont();
}

void LogTextView::measureFont() {
    m_normalFont = font();
    m_normalFont.setKerning(false); // widths then add up byte by byte, as the painting assumes
    m_boldFont = m_normalFont;
    m_boldFont.setBold(true);
    const QFontMetricsF metrics(m_normalFont), boldMetrics(m_boldFont);
    for (unsigned b = 0; b < 256; ++b) {
        const QString shown = displayLine(std::string(1, static_cast<char>(b)));
        m_widths[b] = metrics.horizontalAdvance(shown);
        m_boldWidths[b] = boldMetrics.horizontalAdvance(shown);
    }
    m_lineHeight = std::max<qreal>(1, boldMetrics.lineSpacing());
    m_ascent = boldMetrics.ascent();
    updateScrollBars();
}

qreal LogTextView::widthOf(std::string_view bytes, const Widths& widths) const {
    qreal w = 0;
    for (const char c : bytes)
        w += widths[static_cast<unsigned char>(c)];
    return w;
}

void LogTextView::setSource(const viewer::ShownText& shown) {
    m_shown = &shown;
    textReplaced();
}

void LogTextView::textReplaced() {
    const auto line = m_shown->line(m_shown->longestLine());
    const qreal measured = widthOf(line.substr(0, kMeasuredBytes), m_boldWidths);
    m_contentWidth =
        measured *
            (static_cast<qreal>(std::max<std::size_t>(line.size(), 1)) /
             static_cast<qreal>(std::max<std::size_t>(std::min(line.size(), kMeasuredBytes), 1))) +
        2 * kMargin;
    m_linesSelected = false;
    updateScrollBars();
    verticalScrollBar()->setValue(0);
    horizontalScrollBar()->setValue(0);
    viewport()->update();
}

void LogTextView::marksChanged() {
    if (!m_shown->marks().empty()) bringIntoView(m_shown->marks().back());
    viewport()->update();
}

std::size_t LogTextView::firstVisibleLine() const {
    return static_cast<std::size_t>(verticalScrollBar()->value());
}

std::size_t LogTextView::visibleLineCount() const {
    return static_cast<std::size_t>(std::max(1.0, std::floor(viewport()->height() / m_lineHeight)));
}

void LogTextView::updateScrollBars() {
    const auto lines = static_cast<int>(
        std::min<std::size_t>(m_shown->lineStarts().size(), std::numeric_limits<int>::max()));
    const auto page = static_cast<int>(visibleLineCount());
    verticalScrollBar()->setRange(0, std::max(0, lines - page));
    verticalScrollBar()->setPageStep(page);
    const int width = static_cast<int>(std::min<qreal>(std::ceil(m_contentWidth), 1 << 30));
    horizontalScrollBar()->setRange(0, std::max(0, width - viewport()->width()));
    horizontalScrollBar()->setPageStep(viewport()->width());
    horizontalScrollBar()->setSingleStep(static_cast<int>(std::ceil(m_widths['M'])));
}

void LogTextView::bringIntoView(std::size_t offset) {
    const std::size_t line = m_shown->lineOf(offset);
    const std::size_t first = firstVisibleLine(), page = visibleLineCount();
    if (line < first || line >= first + page)
        verticalScrollBar()->setValue(static_cast<int>(line - std::min(line, page / 2)));
    const auto prefix = m_shown->line(line).substr(0, offset - m_shown->lineStarts()[line]);
    const auto x = static_cast<int>(widthOf(prefix, m_widths));
    const int left = horizontalScrollBar()->value(), width = viewport()->width();
    if (x < left || x > left + width - width / 4) horizontalScrollBar()->setValue(x - width / 3);
}

void LogTextView::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    const std::size_t first = firstVisibleLine();
    const std::size_t end = std::min(m_shown->lineStarts().size(), first + visibleLineCount() + 1);
    const QColor picked = palette().color(QPalette::Highlight).lighter(170);
    qreal baseline = m_ascent;
    for (std::size_t i = first; i < end; ++i, baseline += m_lineHeight) {
        if (lineSelected(i))
            painter.fillRect(QRectF(0, baseline - m_ascent, viewport()->width(), m_lineHeight),
                             picked);
        drawLine(painter, i, baseline);
    }
}

std::size_t LogTextView::lineAt(qreal y) const {
    const auto below = static_cast<std::size_t>(std::max<qreal>(0, y) / m_lineHeight);
    return std::min(firstVisibleLine() + below, m_shown->lineStarts().size() - 1);
}

bool LogTextView::lineSelected(std::size_t line) const {
    return m_linesSelected && line >= std::min(m_anchorLine, m_caretLine) &&
           line <= std::max(m_anchorLine, m_caretLine);
}

void LogTextView::selectLines(std::size_t from, std::size_t to) {
    const std::size_t last = m_shown->lineStarts().size() - 1;
    m_anchorLine = std::min(from, last);
    m_caretLine = std::min(to, last);
    m_linesSelected = !m_shown->empty();
    viewport()->update();
}

QString LogTextView::selectedText() const {
    if (!m_linesSelected) return {};
    const auto& starts = m_shown->lineStarts();
    const std::size_t first = std::min(m_anchorLine, m_caretLine);
    const std::size_t last = std::max(m_anchorLine, m_caretLine);
    const auto end = m_shown->line(last).data() + m_shown->line(last).size();
    return displayText(
        std::string_view(m_shown->text())
            .substr(starts[first],
                    static_cast<std::size_t>(end - m_shown->text().data()) - starts[first]));
}

void LogTextView::mousePressEvent(QMouseEvent* event) {
    const std::size_t line = lineAt(event->position().y());
    selectLines(event->modifiers() & Qt::ShiftModifier ? m_anchorLine : line, line);
}

void LogTextView::mouseMoveEvent(QMouseEvent* event) {
    if (event->buttons() & Qt::LeftButton) selectLines(m_anchorLine, lineAt(event->position().y()));
}

void LogTextView::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Copy)) {
        if (m_linesSelected) QGuiApplication::clipboard()->setText(selectedText());
    } else if (event->matches(QKeySequence::SelectAll)) {
        selectLines(0, m_shown->lineStarts().size() - 1);
    } else {
        QAbstractScrollArea::keyPressEvent(event);
    }
}

void LogTextView::drawLine(QPainter& painter, std::size_t index, qreal baseline) const {
    const std::string_view line = m_shown->line(index);
    const qreal right = viewport()->width();
    qreal x = kMargin - horizontalScrollBar()->value();
    viewer::ShownText::LineRuns runs(*m_shown, index);
    std::size_t i = 0;
    while (i < line.size() && x < right) {
        const auto [runEnd, marked] = runs.from(i);
        const Widths& widths = marked ? m_boldWidths : m_widths;
        std::size_t j = i;
        while (j < runEnd && x + widths[static_cast<unsigned char>(line[j])] <= 0)
            x += widths[static_cast<unsigned char>(line[j++])];
        const qreal runX = x;
        const std::size_t visibleFrom = j;
        while (j < runEnd && x < right)
            x += widths[static_cast<unsigned char>(line[j++])];
        if (j > visibleFrom) {
            painter.setFont(marked ? m_boldFont : m_normalFont);
            painter.setPen(marked ? kMarkColour : QColor(Qt::black));
            painter.drawText(QPointF(runX, baseline),
                             displayLine(line.substr(visibleFrom, j - visibleFrom)));
        }
        i = j;
    }
}

void LogTextView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
}

void LogTextView::changeEvent(QEvent* event) {
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::FontChange) measureFont();
}
