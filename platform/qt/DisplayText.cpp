#include "DisplayText.h"

#include "platform/DisplayChars.h"

namespace {
QString fromUtf16(const std::u16string& s) {
    return QString::fromUtf16(s.data(), static_cast<qsizetype>(s.size()));
}
} // namespace

QString displayLine(std::string_view bytes) {
    return fromUtf16(display::toUtf16(bytes));
}

QString displayText(std::string_view bytes) {
    return fromUtf16(display::toUtf16(bytes, u"\n"));
}

bool toWindows1252(const QString& text, std::string& bytes) {
    return display::toWindows1252(
        std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()),
                            static_cast<std::size_t>(text.size())),
        bytes);
}
