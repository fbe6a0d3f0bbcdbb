#pragma once

#include "platform/DateNames.h"

#include <QLocale>

// The names of the user's locale; English when the system names no language.
class QtDateNames : public DateNames {
public:
    QtDateNames();
    std::string month(int month) const override;
    std::string weekday(int weekday) const override;

private:
    QLocale m_locale;
};
