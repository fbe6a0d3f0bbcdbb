#pragma once

#include <optional>
#include <string>

// Brings the start-at-logon entry into line with the "Start with Windows" switch.
class AutoStart {
public:
    virtual ~AutoStart() = default;
    // The error's description when the entry could not be read, written or deleted.
    virtual std::optional<std::string> sync(int state) = 0;
};
