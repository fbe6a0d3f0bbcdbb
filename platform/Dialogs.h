#pragma once

#include <optional>
#include <string>
#include <string_view>

// What the programs ask of the user. The presenters never block on a widget themselves; the
// window answers through this, and tests answer with a script. Texts are UTF-8.
enum class Buttons { Ok, YesNo, YesNoCancel };
enum class Icon { None, Question, Warning };
enum class Answer { Ok, Yes, No, Cancel }; // closing the box answers Cancel

class Dialogs {
public:
    virtual ~Dialogs() = default;
    // An empty title shows the program's own title.
    virtual Answer message(std::string_view text, Buttons buttons = Buttons::Ok,
                           Icon icon = Icon::None, std::string_view title = {}) = 0;
    // The text entered, or nothing when the user cancels.
    virtual std::optional<std::string> input(std::string_view title, std::string_view prompt,
                                             std::string_view initial) = 0;
};
