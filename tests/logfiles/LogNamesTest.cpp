#include "logfiles/LogNames.h"

#include <gtest/gtest.h>

using namespace logfiles;

TEST(LogNames, StampsOnTheTwelveHourClock) {
    struct Case {
        LocalTime t;
        const char* stamp;
    } cases[] = {
        {{2026, 12, 5, 21, 41, 30}, "12-05-26:09:41p:"},
        {{2026, 1, 2, 0, 5, 0}, "01-02-26:12:05a:"},  // midnight is 12 a
        {{2026, 1, 2, 12, 0, 0}, "01-02-26:12:00p:"}, // noon is 12 p
        {{2007, 8, 12, 11, 59, 59}, "08-12-07:11:59a:"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(logStamp(c.t), c.stamp);
}

TEST(LogNames, NextSecondCarriesThroughTheCalendar) {
    EXPECT_EQ(nextSecond({2024, 2, 28, 23, 59, 59}), (LocalTime{2024, 2, 29, 0, 0, 0}));
    EXPECT_EQ(nextSecond({2023, 2, 28, 23, 59, 59}), (LocalTime{2023, 3, 1, 0, 0, 0}));
    EXPECT_EQ(nextSecond({2026, 12, 31, 23, 59, 59}), (LocalTime{2027, 1, 1, 0, 0, 0}));
}
