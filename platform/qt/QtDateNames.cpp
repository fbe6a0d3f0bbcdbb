#include "QtDateNames.h"

QtDateNames::QtDateNames() : m_locale(QLocale::system()) {
    if (m_locale.language() == QLocale::C || m_locale.language() == QLocale::AnyLanguage)
        m_locale = QLocale(QLocale::English, QLocale::UnitedStates);
}

std::string QtDateNames::month(int month) const {
    return m_locale.monthName(month, QLocale::ShortFormat).toStdString();
}

std::string QtDateNames::weekday(int weekday) const {
    // Qt counts the week from Monday = 1 to Sunday = 7.
    return m_locale.dayName(weekday == 0 ? 7 : weekday, QLocale::ShortFormat).toStdString();
}
