#pragma once

#include <string>
#include <string_view>

// Log text is Windows-1252 bytes: one byte, one character, so offsets into the bytes are
// offsets on screen. A byte that cannot be shown as it is (NUL, a control character, an
// unassigned code) is shown as a visible substitute, never dropped. Both window toolkits show
// text through these, so a log reads the same on every platform.
namespace display {

// The UTF-16 character shown for one byte, every control byte a visible symbol.
char16_t charOf(unsigned char byte);

// For multi-line displays: CR LF becomes `lineBreak`; a lone CR or LF, and every other control
// byte but the tab, becomes a visible symbol. With an empty `lineBreak` a line shows as one.
std::u16string toUtf16(std::string_view bytes, std::u16string_view lineBreak = {});

// The bytes a typed text stands for: the inverse of the display, so that a text copied from the
// screen finds itself again. A character that no byte shows becomes '?' and makes it false.
bool toWindows1252(std::u16string_view text, std::string& bytes);

} // namespace display
