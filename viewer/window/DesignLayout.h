#pragma once

#include <QRect>
#include <QSize>
#include <vector>

class QWidget;

// Places controls at design positions given in twips, converted at the screen's DPI. When the
// window grows beyond its design size, each control moves or grows by the growth along the
// edges it is anchored to; the window never shrinks below its design size, so nothing hides.
class DesignLayout {
public:
    enum Anchor { fixed = 0, moveRight = 1, moveDown = 2, growWide = 4, growTall = 8 };

    DesignLayout(QWidget* window, QSize clientTwips);

    // Position relative to the control's parent, which is placed before it (or is the window).
    void place(QWidget* control, QRect twips, int anchors = fixed);
    QSize designSize() const { return pixels(m_clientTwips); }
    int pixelWidth(int twips) const { return pixels({twips, 0}).width(); }
    // Widens the whole design by `scale`, every position and width alike, for fonts wider
    // than the design's.
    void setWidthScale(double scale) { m_widthScale = scale; }
    void apply() const;

private:
    struct Placement {
        QWidget* control;
        QRect twips;
        int anchors;
    };
    QSize pixels(QSize twips) const;
    QSize growthOf(const QWidget* parent) const;

    QWidget* m_window;
    QSize m_clientTwips;
    double m_widthScale = 1;
    std::vector<Placement> m_placements;
};
