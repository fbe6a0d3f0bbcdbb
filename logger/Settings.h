#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The settings file, loggersettings.txt beside the logger: one "[NAME                ]=value"
// record a line, CR LF line ends, in the fixed order of `Setting`.
namespace settings {

enum class Setting { messages, signons, signoffs, hellos, junk, startwithwindows, udpport };
inline constexpr std::size_t kSwitchCount = 6; // every setting but the port is a switch

inline constexpr std::string_view kFileName = "loggersettings.txt";
inline constexpr std::size_t kKeyLength = 23;
inline constexpr std::array<std::string_view, 7> kKeys = {
    "[FILTERMESSAGES      ]=", "[FILTERSIGNONS       ]=", "[FILTERSIGNOFFS      ]=",
    "[FILTERHELLOS        ]=", "[FILTERJUNK          ]=", "[STARTWITHWINDOWS    ]=",
    "[UDPPORT             ]="};

struct Record {
    Setting setting;
    std::string value; // everything after the key, as stored
};

// The records in file order. A record ends at a line end or a comma; blanks before it are
// skipped; records of 23 characters or fewer and records with no known key are skipped.
std::vector<Record> readRecords(std::string_view fileText);

// A switch value as a state 0 (unchecked), 1 (checked) or 2 (greyed): a number with blanks
// around it allowed, rounded half to even. Anything else is no state.
std::optional<int> switchState(std::string_view value);

// The port value as the port box shows it: its leading number in decimal ("0" if none).
std::string portText(std::string_view value);

// The leading number of a text: blanks anywhere are ignored, reading stops at the first
// character that cannot continue a number; "&H" and "&O" begin hexadecimal and octal numbers.
// 0 when there is none, or when it is too large to hold.
double leadingNumber(std::string_view text);

// A number rounded to the nearest whole number, halves to even.
double roundHalfEven(double v);

using Switches = std::array<int, kSwitchCount>;
inline constexpr Switches kDefaultSwitches = {1, 0, 0, 0, 0, 1};
inline constexpr std::string_view kDefaultPort = "4111";

std::string fileText(const Switches& switches, std::string_view udpport);

} // namespace settings
