#pragma once

#include "platform/Dialogs.h"

#include <string>

struct HWND__;

// Message boxes, and an input box of our own (Windows has none), owned by the program's window
// once it has one.
class WinDialogs : public Dialogs {
public:
    explicit WinDialogs(std::string programTitle) : m_programTitle(std::move(programTitle)) {}
    void setOwner(HWND__* owner) { m_owner = owner; }

    Answer message(std::string_view text, Buttons buttons, Icon icon,
                   std::string_view title) override;
    std::optional<std::string> input(std::string_view title, std::string_view prompt,
                                     std::string_view initial) override;

private:
    std::string m_programTitle;
    HWND__* m_owner = nullptr;
};
