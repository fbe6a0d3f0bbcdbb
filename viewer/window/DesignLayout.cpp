#include "DesignLayout.h"

#include <QWidget>
#include <algorithm>

DesignLayout::DesignLayout(QWidget* window, QSize clientTwips)
    : m_window(window), m_clientTwips(clientTwips) {}

void DesignLayout::place(QWidget* control, QRect twips, int anchors) {
    m_placements.push_back({control, twips, anchors});
}

QSize DesignLayout::pixels(QSize twips) const {
    return {static_cast<int>(twips.width() * m_widthScale * m_window->logicalDpiX() / 1440),
            twips.height() * m_window->logicalDpiY() / 1440};
}

QSize DesignLayout::growthOf(const QWidget* parent) const {
    QSize design = designSize();
    if (parent != m_window) {
        const auto it = std::find_if(m_placements.begin(), m_placements.end(),
                                     [parent](const Placement& p) { return p.control == parent; });
        if (it == m_placements.end()) return {};
        design = pixels(it->twips.size());
    }
    return (parent->size() - design).expandedTo({0, 0});
}

void DesignLayout::apply() const {
    // Parents come first in the list, so a frame has its new size before its children move.
    for (const auto& p : m_placements) {
        const QSize growth = growthOf(p.control->parentWidget());
        const QSize at = pixels({p.twips.left(), p.twips.top()});
        QRect r(QPoint(at.width(), at.height()), pixels(p.twips.size()));
        if (p.anchors & moveRight) r.translate(growth.width(), 0);
        if (p.anchors & moveDown) r.translate(0, growth.height());
        if (p.anchors & growWide) r.setWidth(r.width() + growth.width());
        if (p.anchors & growTall) r.setHeight(r.height() + growth.height());
        p.control->setGeometry(r);
    }
}
