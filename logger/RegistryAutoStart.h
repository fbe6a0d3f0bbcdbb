#pragma once

#include "AutoStart.h"
#include "registry/cRegistry.h"

#include <string>

// The start-at-logon entry as a string value under the current user's Run key: the quoted
// path of the logger's executable and " /m", so that it starts minimised.
class RegistryAutoStart : public AutoStart {
public:
    static constexpr std::string_view kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
    static constexpr std::string_view kValueName = "Kelvo Logger AutoStart";

    // executablePath: the logger's executable, full path, as 8-bit text.
    RegistryAutoStart(registry::Backend& backend, std::string programName,
                      std::string executablePath);

    // 1: writes the entry unless it holds this program's command already; 0: deletes it
    // when there is one; 2: nothing.
    std::optional<std::string> sync(int state) override;

    // Addresses the object at the entry, as a string value.
    static void address(registry::cRegistry& entry);

private:
    registry::Backend& m_backend;
    std::string m_programName;
    std::string m_command;
};
