#pragma once

#include "platform/Dialogs.h"

#include <ostream>

// Message boxes for a program without a display: the text goes to standard error and nobody
// answers, so a question takes its safe way out (Cancel, or No where there is no Cancel).
class ConsoleDialogs : public Dialogs {
public:
    ConsoleDialogs(std::ostream& out, std::string programTitle)
        : m_out(out), m_programTitle(std::move(programTitle)) {}

    Answer message(std::string_view text, Buttons buttons, Icon icon,
                   std::string_view title) override;
    std::optional<std::string> input(std::string_view title, std::string_view prompt,
                                     std::string_view initial) override;

private:
    std::ostream& m_out;
    std::string m_programTitle;
};
