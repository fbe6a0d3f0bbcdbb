#pragma once

#include "platform/DateNames.h"

// The abbreviated names of the user's locale, as Windows' regional settings give them.
class WinDateNames : public DateNames {
public:
    std::string month(int month) const override;
    std::string weekday(int weekday) const override;
};
