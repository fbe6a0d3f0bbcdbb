#pragma once

#include <string>
#include <string_view>

// The Windows API speaks UTF-16; the presenters speak UTF-8 (and log bytes, which go through
// platform/DisplayChars.h instead).
std::wstring widen(std::string_view utf8);
std::string narrow(std::wstring_view utf16);

// The system's own text for an error number, without the line end it comes with.
std::string systemMessage(unsigned long error);
