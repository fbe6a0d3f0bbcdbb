#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Start-at-logon entries as XDG desktop entries: what the desktop starts (Exec) and, in keys
// of our own, the registry value exactly as it was written.
namespace registry::desktop {

struct RunValue {
    std::string name;
    std::uint32_t type = 0;
    std::string data;
};

// The arguments of a Windows command line, split as a Windows program splits its own: the
// program up to the closing quote or the first blank, then the usual rules for quotes and
// backslashes.
std::vector<std::string> commandLineArguments(std::string_view commandLine);

// An Exec value that hands these arguments to the program unchanged: quoted where the
// freedesktop.org desktop entry format asks for it, percent signs doubled, then escaped as a
// string.
std::string execValue(const std::vector<std::string>& arguments);

// The entry's text. An empty command gives a hidden entry, which the desktop does not start.
std::string entryText(const RunValue& value, std::string_view command);

// The value kept in an entry that entryText wrote; false when the entry is not one of ours
// or its keys are damaged.
bool parseEntry(std::string_view text, RunValue& value);

} // namespace registry::desktop
