#pragma once

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QStyleOption>
#include <algorithm>
#include <string>
#include <vector>

// Every shown label, button, check box and frame title whose text is wider than the room its
// widget gives it, where the style draws it; a widget stacked above a label's end (a button
// lying on a header) takes that part of the room away.
inline std::vector<std::string> clippedTexts(const QWidget& window) {
    std::vector<std::string> clipped;
    const auto check = [&](const QWidget* w, const QString& text, int room) {
        const int need = w->fontMetrics().horizontalAdvance(text);
        if (!text.isEmpty() && w->isVisibleTo(&window) && need > room)
            clipped.push_back("\"" + text.toStdString() + "\" needs " + std::to_string(need) +
                              " px, has " + std::to_string(room));
    };
    for (const QLabel* label : window.findChildren<QLabel*>()) {
        if (label->wordWrap()) continue;
        const QRect contents =
            label->contentsRect().adjusted(label->margin(), 0, -label->margin(), 0);
        int room = contents.width();
        // A label draws its text across its middle; what lies there above its end covers it.
        const int middle = label->geometry().center().y();
        const auto siblings = label->parentWidget()->children();
        for (auto it = siblings.begin() + siblings.indexOf(label) + 1; it != siblings.end(); ++it) {
            const auto* above = qobject_cast<const QWidget*>(*it);
            if (above && above->isVisibleTo(&window) && above->x() > label->x() &&
                above->y() <= middle && above->geometry().bottom() >= middle)
                room = std::min(room, above->x() - label->x() - contents.left());
        }
        check(label, label->text(), room);
    }
    for (const QPushButton* button : window.findChildren<QPushButton*>()) {
        QStyleOptionButton option;
        option.initFrom(button);
        option.text = button->text();
        check(button, button->text(),
              button->style()
                  ->subElementRect(QStyle::SE_PushButtonContents, &option, button)
                  .width());
    }
    for (const QCheckBox* box : window.findChildren<QCheckBox*>()) {
        QStyleOptionButton option;
        option.initFrom(box);
        option.text = box->text();
        check(box, box->text(),
              box->style()->subElementRect(QStyle::SE_CheckBoxContents, &option, box).width());
    }
    for (const QGroupBox* frame : window.findChildren<QGroupBox*>()) {
        QStyleOptionGroupBox option;
        option.initFrom(frame);
        option.text = frame->title();
        option.lineWidth = 1;
        option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
        option.textAlignment = frame->alignment();
        const QRect title = frame->style()->subControlRect(QStyle::CC_GroupBox, &option,
                                                           QStyle::SC_GroupBoxLabel, frame);
        check(frame, frame->title(), frame->width() - title.left());
    }
    return clipped;
}
