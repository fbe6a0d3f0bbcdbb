#pragma once

#include "platform/Dialogs.h"
#include "platform/InstanceLock.h"

#include <array>
#include <deque>
#include <functional>
#include <string>
#include <vector>

// Answers message and input boxes from a script and remembers what was shown. A box with no
// scripted answer left gets OK, or Cancel where OK is not offered.
class ScriptedDialogs : public Dialogs {
public:
    struct Shown {
        std::string text;
        Buttons buttons;
        Icon icon;
        std::string title;
    };

    std::vector<Shown> shown;
    std::deque<Answer> answers;
    std::deque<std::optional<std::string>> inputs;
    std::vector<std::array<std::string, 3>> asked; // input boxes: title, prompt, initial text
    std::function<void()> whileOpen;               // what happens while a message box is open

    Answer message(std::string_view text, Buttons buttons, Icon icon,
                   std::string_view title) override {
        shown.push_back({std::string(text), buttons, icon, std::string(title)});
        if (whileOpen) whileOpen();
        if (answers.empty()) return buttons == Buttons::Ok ? Answer::Ok : Answer::Cancel;
        const Answer a = answers.front();
        answers.pop_front();
        return a;
    }

    std::optional<std::string> input(std::string_view title, std::string_view prompt,
                                     std::string_view initial) override {
        asked.push_back({std::string(title), std::string(prompt), std::string(initial)});
        if (inputs.empty()) return std::nullopt;
        auto a = inputs.front();
        inputs.pop_front();
        return a;
    }

    std::vector<std::string> texts() const {
        std::vector<std::string> t;
        for (const auto& s : shown)
            t.push_back(s.text);
        return t;
    }
};

// Another instance of the program holds the lock while `free` is false.
struct FakeLock : InstanceLock {
    bool free = true;
    bool acquire(const std::filesystem::path&) override { return free; }
};
