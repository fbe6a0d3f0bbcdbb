#include "RegistryAutoStart.h"

namespace {

// The command that starts the logger minimised: the quoted path, then " /m".
std::string minimisedStart(const std::string& executablePath) {
    std::string command = "\"";
    command += executablePath;
    command += "\" /m";
    return command;
}

} // namespace

RegistryAutoStart::RegistryAutoStart(registry::Backend& backend, std::string programName,
                                     std::string executablePath)
    : m_backend(backend), m_programName(std::move(programName)),
      m_command(minimisedStart(executablePath)) {}

void RegistryAutoStart::address(registry::cRegistry& entry) {
    entry.ClassKey(registry::kCurrentUser);
    entry.SectionKey(std::string(kRunKey));
    entry.ValueType(registry::kString);
    entry.ValueKey(std::string(kValueName));
}

std::optional<std::string> RegistryAutoStart::sync(int state) {
    if (state != 0 && state != 1) return std::nullopt;
    try {
        registry::cRegistry entry(m_programName, m_backend);
        address(entry);
        const auto value = entry.Value();
        const bool present = !registry::isEmptyText(value);
        // An entry that names another command (the program was moved, or another copy wrote
        // it) would start the wrong program, or nothing, at logon.
        if (state == 1 && value != registry::Variant(m_command)) {
            address(entry);
            entry.Value(m_command);
        } else if (state == 0 && present) {
            address(entry);
            entry.DeleteValue();
        }
    } catch (const registry::RegistryError& e) {
        return e.description();
    }
    return std::nullopt;
}
