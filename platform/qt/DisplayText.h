#pragma once

#include <QString>
#include <string>
#include <string_view>

// Log text is Windows-1252 bytes: one byte, one character, so offsets into the bytes are
// offsets on screen. A byte that cannot be shown as it is (NUL, a control character, an
// unassigned code) is shown as a visible substitute, never dropped.

// For one-line displays: every control byte, CR and LF included, becomes a visible symbol.
QString displayLine(std::string_view bytes);

// For multi-line displays: CR LF becomes a line break; a lone CR or LF, and every other
// control byte but the tab, becomes a visible symbol.
QString displayText(std::string_view bytes);

// The bytes a typed text stands for: the inverse of the display, so that a text copied from the
// screen finds itself again. A character that no byte shows becomes '?' and makes it false.
bool toWindows1252(const QString& text, std::string& bytes);
