#include "LoggerHarness.h"

#include "logfiles/LogNames.h"
#include "logfiles/TextFile.h"

#include <gtest/gtest.h>

using Strings = std::vector<std::string>;

namespace {
constexpr std::string_view kStamp = "12-05-26:09:41p:";

Strings rowsOf(const UsersTable& t) {
    Strings rows;
    for (const auto& r : t.rows())
        rows.push_back(r.key + "|" + r.user + "|" + r.computer);
    return rows;
}

Strings withoutStamps(std::string_view text) {
    Strings lines;
    for (const auto line : logfiles::splitLines(text))
        lines.emplace_back(line.substr(kStamp.size()));
    return lines;
}

// Starts with the filter switches as given, in the order messages, sign-ons, sign-offs,
// hellos, junk: "10212".
void startWith(LoggerHarness& h, std::string_view filters = "11111") {
    settings::Switches switches{};
    for (std::size_t i = 0; i < filters.size(); ++i)
        switches[i] = filters[i] - '0';
    h.dir.write("loggersettings.txt", settings::fileText(switches, "4111"));
    ASSERT_TRUE(h.presenter.start({}));
}
} // namespace

TEST(Tick, ClassifiesTracksUsersAndLogsAsTheFiltersSay) {
    struct Case {
        bool annListed; // "***[PC7]=Ann" was handled first
        std::string line;
        const char* filters;
        std::string user;   // key|user|computer of the one row listed after the tick
        std::string logged; // without the stamp
    } cases[] = {
        // A sign-on into an empty table, and the same again.
        {false, "***[PC7]=Ann", "11111", "[PC7]=ANN|Ann|PC7", "SIGN ON :[PC7]=Ann"},
        {true, "***[PC7]=Ann", "11111", "[PC7]=ANN|Ann|PC7", "SIGN ON :[PC7]=Ann"},
        // Another case matches and keeps the first names.
        {true, "***[pc7]=ann", "10111", "[PC7]=ANN|Ann|PC7", ""},
        // Hellos add and sign-offs remove their user even when not logged.
        {false, "**-[PC9]=Bo", "11101", "[PC9]=BO|Bo|PC9", ""},
        {true, "-**[PC7]=Ann", "11011", "", ""},
        // A sign-off of nobody listed; a bare tag names nobody listed.
        {true, "-**[PC8]=Cy", "11111", "[PC7]=ANN|Ann|PC7", "SIGN OFF:[PC8]=Cy"},
        {true, "-**", "11111", "[PC7]=ANN|Ann|PC7", "SIGN OFF:"},
        // Without "=" the user name is the whole line; the split is at the first "=".
        {false, "***PC7", "11111", "PC7|***PC7|", "SIGN ON :PC7"},
        {false, "***[PC7]=Ann=x", "11111", "[PC7]=ANN=X|Ann=x|PC7", "SIGN ON :[PC7]=Ann=x"},
        // An empty computer name, any delimiters, accented letters upper-cased too.
        {false, "***[]=Ann", "11111", "[]=ANN|Ann|", "SIGN ON :[]=Ann"},
        {false, "***<PC7>=Ann", "11111", "<PC7>=ANN|Ann|PC7", "SIGN ON :<PC7>=Ann"},
        {false, "***[pc]=\xe9mile", "11111", "[PC]=\xc9MILE|\xe9mile|pc", "SIGN ON :[pc]=\xe9mile"},
        // Messages; junk, two characters and an empty datagram being junk.
        {false, "[abc", "11111", "", "MESSAGE :[abc"},
        {false, "[abc", "01111", "", ""},
        {false, "hello", "11111", "", "JUNK    :hello"},
        {false, "**", "11110", "", ""},
        {false, "", "11111", "", "JUNK    :"},
        // A greyed box lets its kind through, but keeps junk out.
        {false, "***[A]=Al", "12111", "[A]=AL|Al|A", "SIGN ON :[A]=Al"},
        {false, "zzz", "11112", "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line + " with filters " + c.filters);
        LoggerHarness h;
        startWith(h, c.filters);
        if (c.annListed) h.receive({"***[PC7]=Ann"}), h.drain();
        const auto before = h.presenter.activity().text().size();
        h.receive({c.line});
        h.presenter.tick();
        EXPECT_EQ(rowsOf(h.presenter.users()), c.user.empty() ? Strings{} : Strings{c.user});
        EXPECT_EQ(h.presenter.activity().text().substr(before),
                  c.logged.empty() ? "" : std::string(kStamp) + c.logged + "\r\n");
        // The line leaves the queue whether or not it was logged.
        EXPECT_TRUE(h.presenter.cue().empty() && h.presenter.traffic() == 0 && !h.timer.enabled);
    }
}

TEST(Tick, UsersAreFoundByTheirWholeKey) {
    LoggerHarness h;
    startWith(h);
    // Ann's key is the beginning of Anne's: she is another user all the same.
    h.receive({"***[PC7]=Anne", "***[PC7]=Zed", "***[PC7]=Ann"});
    h.drain();
    EXPECT_EQ(rowsOf(h.presenter.users()),
              (Strings{"[PC7]=ANN|Ann|PC7", "[PC7]=ANNE|Anne|PC7", "[PC7]=ZED|Zed|PC7"}));
    h.receive({"-**[PC7]=Ann"});
    h.drain();
    EXPECT_EQ(rowsOf(h.presenter.users()), (Strings{"[PC7]=ANNE|Anne|PC7", "[PC7]=ZED|Zed|PC7"}));
    EXPECT_EQ(h.view.removingRows, std::vector<std::size_t>{0}) << "scrolled to before removal";
}

TEST(Tick, EveryTickSortsByUserNameAndAColumnClickHoldsUntilThen) {
    LoggerHarness h;
    startWith(h);
    h.receive({"***[b2]=carl", "***[c3]=Bea", "***[a1]=Al", "***[a0]=bea"});
    h.drain();
    // Case ignored, equal names keep the order they came in.
    EXPECT_EQ(rowsOf(h.presenter.users()), (Strings{"[A1]=AL|Al|a1", "[C3]=BEA|Bea|c3",
                                                    "[A0]=BEA|bea|a0", "[B2]=CARL|carl|b2"}));
    h.presenter.clickColumn(UsersTable::computerColumn);
    EXPECT_EQ(h.presenter.users().rows().front().computer, "a0");
    h.presenter.clickColumn(UsersTable::computerColumn); // a second click does not reverse
    EXPECT_EQ(h.presenter.users().rows().front().computer, "a0");
    h.receive({"[any message"});
    h.presenter.tick();
    EXPECT_EQ(h.presenter.users().rows().front().user, "Al");
}

TEST(Tick, CatchesUpFromTwentyFiveQueuedWithinItsBudgetAndNamesArchivesByTheClock) {
    const auto at = [](int day, int second) { return LocalTime{2026, 12, day, 21, 41, second}; };
    const auto archive = [](const LocalTime& t) { return logfiles::archiveName(t); };
    struct Tick {
        LocalTime clock;
        std::size_t arriving; // messages queued before the tick, log lines of 100 characters
        std::size_t taken;    // lines the tick takes
        std::size_t shown;    // lines in the activity text after it
        bool atOnce = false;  // the next tick follows at once
    };
    struct Case {
        const char* what;
        int msPerLine; // how long each line seems to take
        std::vector<LocalTime> existing;
        std::vector<Tick> ticks;
        std::vector<LocalTime> written = {}; // the new archives, in the order written
    } cases[] = {
        {"below 25 queued, one line a tick", 0, {}, {{at(5, 30), 24, 1, 1}, {at(5, 30), 0, 1, 2}}},
        // What comes within an interval of the catch-up goes at once too; after an interval
        // without lines, one a tick again.
        {"from 25 the whole queue",
         0,
         {},
         {{at(5, 30), 25, 25, 25},
          {at(5, 30), 3, 3, 28},
          {at(5, 30), 0, 0, 28},
          {at(5, 30), 2, 1, 29}}},
        // Four lines fill the 40 ms; after a write of 10 ms three do, and the catch-up goes on
        // below 25.
        {"the budget spent", 10, {}, {{at(5, 30), 30, 4, 4, true}, {at(5, 30), 0, 3, 7, true}}},
        {"a line that takes the whole budget", 40, {}, {{at(5, 30), 100, 1, 1, true}}},
        // The 101st line rolls over; the 149 after it and the next wait for the next second.
        {"a second rollover in one second waits",
         0,
         {},
         {{at(5, 30), 250, 250, 149}, {at(5, 30), 1, 1, 150}, {at(5, 31), 1, 1, 0}},
         {at(5, 30), at(5, 31)}},
        {"this second's archive exists already",
         0,
         {at(5, 30)},
         {{at(5, 30), 130, 130, 130}, {at(5, 31), 1, 1, 0}},
         {at(5, 31)}},
        {"the clock back to a second with an archive, then to a free one",
         0,
         {at(5, 29)},
         {{at(5, 31), 250, 250, 149}, {at(5, 29), 1, 1, 150}, {at(5, 30), 1, 1, 0}},
         {at(5, 31), at(5, 30)}},
        {"the clock a day forward and back",
         0,
         {},
         {{at(6, 30), 350, 350, 249}, {at(5, 31), 1, 1, 0}},
         {at(6, 30), at(5, 31)}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        LoggerHarness h;
        h.startLoggingAll();
        for (const auto& t : c.existing)
            h.dir.write("logs/" + archive(t), "not ours\r\n");
        h.clock.step = std::chrono::milliseconds(c.msPerLine);
        std::vector<std::string> lines;
        std::size_t taken = 0;
        for (const auto& tick : c.ticks) {
            for (std::size_t i = 0; i < tick.arriving; ++i) {
                std::string line = "[" + std::to_string(lines.size());
                lines.push_back(line.append(73 - line.size(), '.'));
                h.receive({lines.back()});
            }
            h.clock.time = tick.clock;
            h.presenter.tick();
            taken += tick.taken;
            const auto queued = lines.size() - taken;
            ASSERT_EQ(h.presenter.cue().size(), queued);
            EXPECT_EQ(h.view.queueRows, queued);
            EXPECT_EQ(h.presenter.traffic(),
                      static_cast<int>(std::min<std::size_t>(queued, 25) * 4));
            EXPECT_EQ(h.timer.backToBack, tick.atOnce);
            EXPECT_EQ(h.currentLog(), h.presenter.activity().text() + "\r\n");
            EXPECT_EQ(withoutStamps(h.presenter.activity().text()).size(), tick.shown);
        }
        // Every line that left the queue is in exactly one file, in order, each archive
        // under the name of the clock when it was written.
        std::string onDisk;
        for (const auto& t : c.written) {
            const std::string text = h.dir.read("logs/" + archive(t));
            ASSERT_TRUE(text.ends_with("\r\n\r\n")) << archive(t);
            EXPECT_GT(text.size(), ActivityLog::kRolloverLength);
            onDisk += text.substr(0, text.size() - 2);
        }
        onDisk += h.presenter.activity().text();
        Strings expected;
        for (std::size_t i = 0; i < taken; ++i)
            expected.push_back("MESSAGE :" + lines[i]);
        EXPECT_EQ(withoutStamps(onDisk), expected);
        for (const auto& t : c.existing)
            EXPECT_EQ(h.dir.read("logs/" + archive(t)), "not ours\r\n");
        EXPECT_EQ(fileNames(h.logs()).size(), c.existing.size() + c.written.size() + 1);
    }
}
