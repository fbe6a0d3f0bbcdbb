#include "logfiles/LogNames.h"
#include "TempDir.h"

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

TEST(LogNames, ArchiveNamesRoundTrip) {
    const LocalTime t{2026, 12, 5, 21, 41, 30};
    EXPECT_EQ(archiveName(t), "log261205214130.txt");
    EXPECT_EQ(archiveTime("log261205214130.txt"), t);
    EXPECT_EQ(archiveTime("log070812153045.txt"), (LocalTime{2007, 8, 12, 15, 30, 45}));
    for (const char* name : {"logtemp.txt", "log26120521413.txt", "log261305214130.txt",
                             "log260230214130.txt", "log261205244130.txt", "log2612052141x0.txt",
                             "LOG261205214130.TXT", "xyz261205214130.txt", ""})
        EXPECT_FALSE(archiveTime(name)) << name;
}

TEST(LogNames, SecondArchiveOfTheSameSecondTakesTheNextFreeSecond) {
    TempDir dir;
    const LocalTime t{2026, 12, 31, 23, 59, 59};
    EXPECT_EQ(freeArchivePath(dir.path(), t), dir / "log261231235959.txt");
    dir.write("log261231235959.txt", "first");
    EXPECT_EQ(freeArchivePath(dir.path(), t), dir / "log270101000000.txt");
    dir.write("log270101000000.txt", "second");
    EXPECT_EQ(freeArchivePath(dir.path(), t), dir / "log270101000001.txt");
}

TEST(LogNames, NextSecondCarriesThroughTheCalendar) {
    EXPECT_EQ(nextSecond({2024, 2, 28, 23, 59, 59}), (LocalTime{2024, 2, 29, 0, 0, 0}));
    EXPECT_EQ(nextSecond({2023, 2, 28, 23, 59, 59}), (LocalTime{2023, 3, 1, 0, 0, 0}));
    EXPECT_EQ(nextSecond({2026, 1, 1, 10, 59, 59}), (LocalTime{2026, 1, 1, 11, 0, 0}));
    EXPECT_EQ(weekday({2007, 8, 12, 0, 0, 0}), 0); // a Sunday
}
