#pragma once

#include "platform/Dialogs.h"

#include <QString>

class QWidget;

// Message and input boxes over a window, as modal Qt dialogs.
class QtDialogs : public Dialogs {
public:
    QtDialogs(QWidget* parent, QString programTitle)
        : m_parent(parent), m_programTitle(std::move(programTitle)) {}

    Answer message(std::string_view text, Buttons buttons, Icon icon,
                   std::string_view title) override;
    std::optional<std::string> input(std::string_view title, std::string_view prompt,
                                     std::string_view initial) override;

private:
    QWidget* m_parent;
    QString m_programTitle;
};
