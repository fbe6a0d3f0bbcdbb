#include "WinDateNames.h"

#include "Utf16.h"

#include <windows.h>

namespace {
std::string localeText(LCTYPE type) {
    wchar_t buf[80];
    const int n = GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, type, buf, 80);
    return n > 1 ? narrow(std::wstring_view(buf, static_cast<std::size_t>(n - 1))) : std::string();
}
} // namespace

std::string WinDateNames::month(int month) const {
    const auto name = localeText(LOCALE_SABBREVMONTHNAME1 + static_cast<LCTYPE>((month + 11) % 12));
    return name.empty() ? EnglishDateNames().month(month) : name;
}

std::string WinDateNames::weekday(int weekday) const {
    // Windows counts the week from Monday = 1 to Sunday = 7.
    const LCTYPE day = static_cast<LCTYPE>((weekday + 6) % 7);
    const auto name = localeText(LOCALE_SABBREVDAYNAME1 + day);
    return name.empty() ? EnglishDateNames().weekday(weekday) : name;
}
