#pragma once

#include <string>
#include <string_view>

// The messenger's datagrams as the logger reads them. A sign-on, sign-off or hello is a
// three-character tag and an identity text "<d>computer<d>=user", where <d> are two delimiter
// characters whose values do not matter; a message begins with "["; anything else is junk.
namespace traffic {

enum class Kind { signOn, signOff, hello, message, junk };

Kind classify(std::string_view line);

// Nine characters each: "SIGN ON :", "SIGN OFF:", "HELLO   :", "MESSAGE :", "JUNK    :".
std::string_view label(Kind kind);

// What a logged line carries after its label: the identity text for the tagged kinds, the
// whole line otherwise.
std::string_view payload(Kind kind, std::string_view line);

// The line less its three-character tag.
std::string_view identity(std::string_view line);

struct Names {
    std::string user;     // after the first "="; the whole line when there is none
    std::string computer; // between the delimiters; empty when the "=" comes too early
};
Names splitNames(std::string_view line);

} // namespace traffic
