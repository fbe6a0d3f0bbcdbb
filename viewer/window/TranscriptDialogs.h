#pragma once

#include "platform/Dialogs.h"

#include <memory>
#include <string>

// A test hook for the end-to-end tests, which cannot press a real process's message boxes:
// when KELVOLOGVIEWER_DIALOG_TRANSCRIPT names a file, each message is appended to it instead
// of being shown, and answered as the safe choice would be (OK, or No: nothing is deleted).
class TranscriptDialogs : public Dialogs {
public:
    static std::unique_ptr<TranscriptDialogs> fromEnvironment();
    explicit TranscriptDialogs(std::string path) : m_path(std::move(path)) {}

    Answer message(std::string_view text, Buttons buttons, Icon icon,
                   std::string_view title) override;
    std::optional<std::string> input(std::string_view title, std::string_view prompt,
                                     std::string_view initial) override;

private:
    std::string m_path;
};
