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

TEST(LogNames, SecondsCarryThroughTheCalendar) {
    EXPECT_EQ(nextSecond({2024, 2, 28, 23, 59, 59}), (LocalTime{2024, 2, 29, 0, 0, 0}));
    EXPECT_EQ(nextSecond({2023, 2, 28, 23, 59, 59}), (LocalTime{2023, 3, 1, 0, 0, 0}));
    EXPECT_EQ(secondsLater({2027, 1, 1, 0, 0, 1}, -2), (LocalTime{2026, 12, 31, 23, 59, 59}));
}

// Never named ahead of the clock by more than a second, however many names are taken.
TEST(LogNames, AFreeArchiveNameIsThisSecondTheNextOrTheLatestBefore) {
    TempDir dir;
    const LocalTime t{2026, 12, 5, 21, 41, 30};
    for (const char* expected : {"log261205214130.txt", "log261205214131.txt",
                                 "log261205214129.txt", "log261205214128.txt"}) {
        const auto path = freeArchivePath(dir.path(), t);
        EXPECT_EQ(path.filename(), expected);
        dir.write(path.filename().string(), "");
    }
}

// A payload keeps every byte and its line breaks, but no line it starts can pass for a stamp.
TEST(LogNames, ContinuationLinesOfALogTextAreMarked) {
    const std::pair<std::string_view, std::string_view> cases[] = {
        {"JUNK    :a", "JUNK    :a\r\n"},
        {"JUNK    :a\r\n12-05-26:09:41p:SIGN ON :x",
         "JUNK    :a\r\n | 12-05-26:09:41p:SIGN ON :x\r\n"},
        {"JUNK    :\r\n\r\n", "JUNK    :\r\n | \r\n | \r\n"},
        {"JUNK    :a\rb\nc\r", "JUNK    :a\rb\nc\r\r\n"}, // a lone CR or LF breaks no line
        {"JUNK    :a\r\r\nb", "JUNK    :a\r\r\n | b\r\n"},
    };
    for (const auto& [text, line] : cases)
        EXPECT_EQ(logLine({2026, 12, 5, 21, 41, 30}, text), "12-05-26:09:41p:" + std::string(line));
}
