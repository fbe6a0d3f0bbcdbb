#include "LoggerHarness.h"

#include <gtest/gtest.h>

using settings::Setting;

namespace {
constexpr std::string_view kStamp = "12-05-26:09:41p:";

std::vector<std::string> rowsOf(const UsersTable& t) {
    std::vector<std::string> rows;
    for (const auto& r : t.rows())
        rows.push_back(r.key + "|" + r.user + "|" + r.computer);
    return rows;
}

struct Filters {
    int messages = 1, signons = 1, signoffs = 1, hellos = 1, junk = 1;
};

void startWith(LoggerHarness& h, Filters f) {
    h.dir.write(
        "loggersettings.txt",
        settings::fileText({f.messages, f.signons, f.signoffs, f.hellos, f.junk, 0}, "4111"));
    ASSERT_TRUE(h.presenter.start({}));
}
} // namespace

TEST(Tick, ClassifiesTracksUsersAndLogsAsTheFiltersSay) {
    struct Case {
        const char* name;
        std::vector<std::string> before; // lines handled first, all filters on
        std::string line;
        Filters filters;
        std::vector<std::string> users; // key|user|computer after the tick
        std::string logText;            // what the tick logged, without the stamp
    } cases[] = {
        {"sign-on into an empty table",
         {},
         "***[PC7]=Ann",
         {},
         {"[PC7]=ANN|Ann|PC7"},
         "SIGN ON :[PC7]=Ann"},
        {"the same sign-on again",
         {"***[PC7]=Ann"},
         "***[PC7]=Ann",
         {},
         {"[PC7]=ANN|Ann|PC7"},
         "SIGN ON :[PC7]=Ann"},
        {"another case matches and keeps the first names",
         {"***[PC7]=Ann"},
         "***[pc7]=ann",
         {.signons = 0},
         {"[PC7]=ANN|Ann|PC7"},
         ""},
        {"hello adds its user even when not logged",
         {},
         "**-[PC9]=Bo",
         {.hellos = 0},
         {"[PC9]=BO|Bo|PC9"},
         ""},
        {"sign-off removes its user even when not logged",
         {"***[PC7]=Ann"},
         "-**[PC7]=Ann",
         {.signoffs = 0},
         {},
         ""},
        {"sign-off of nobody listed",
         {"***[PC7]=Ann"},
         "-**[PC8]=Cy",
         {},
         {"[PC7]=ANN|Ann|PC7"},
         "SIGN OFF:[PC8]=Cy"},
        {"no = : the user name is the whole line",
         {},
         "***PC7",
         {},
         {"PC7|***PC7|"},
         "SIGN ON :PC7"},
        {"empty computer name", {}, "***[]=Ann", {}, {"[]=ANN|Ann|"}, "SIGN ON :[]=Ann"},
        {"the split is at the first =",
         {},
         "***[PC7]=Ann=x",
         {},
         {"[PC7]=ANN=X|Ann=x|PC7"},
         "SIGN ON :[PC7]=Ann=x"},
        {"any delimiters", {}, "***<PC7>=Ann", {}, {"<PC7>=ANN|Ann|PC7"}, "SIGN ON :<PC7>=Ann"},
        {"message", {}, "[abc", {}, {}, "MESSAGE :[abc"},
        {"message filtered out", {}, "[abc", {.messages = 0}, {}, ""},
        {"junk", {}, "hello", {}, {}, "JUNK    :hello"},
        {"two characters are junk", {}, "**", {.junk = 0}, {}, ""},
        {"empty datagram is junk", {}, "", {}, {}, "JUNK    :"},
        {"a bare tag names nobody listed",
         {"***[PC7]=Ann"},
         "-**",
         {},
         {"[PC7]=ANN|Ann|PC7"},
         "SIGN OFF:"},
        {"a greyed box lets its kind through",
         {},
         "***[A]=Al",
         {.signons = 2},
         {"[A]=AL|Al|A"},
         "SIGN ON :[A]=Al"},
        {"but keeps junk out", {}, "zzz", {.junk = 2}, {}, ""},
        {"accented letters are upper-cased too",
         {},
         "***[pc]=\xe9mile",
         {},
         {"[PC]=\xc9MILE|\xe9mile|pc"},
         "SIGN ON :[pc]=\xe9mile"},
    };
    for (const auto& c : cases) {
        LoggerHarness h;
        startWith(h, {});
        for (const auto& b : c.before)
            h.receive({b});
        h.drain();
        h.dir.write("loggersettings.txt",
                    settings::fileText({c.filters.messages, c.filters.signons, c.filters.signoffs,
                                        c.filters.hellos, c.filters.junk, 0},
                                       "4111"));
        h.presenter.loadsettings();
        const auto before = h.presenter.activity().text();
        h.receive({c.line});
        h.presenter.tick();
        EXPECT_EQ(rowsOf(h.presenter.users()), c.users) << c.name;
        const auto logged = h.presenter.activity().text().substr(before.size());
        EXPECT_EQ(logged, c.logText.empty() ? "" : std::string(kStamp) + c.logText + "\r\n")
            << c.name;
        // The line leaves the queue whether or not it was logged.
        EXPECT_TRUE(h.presenter.cue().empty()) << c.name;
        EXPECT_EQ(h.presenter.cuetotal(), 0u) << c.name;
        EXPECT_EQ(h.presenter.traffic(), 0) << c.name;
        EXPECT_FALSE(h.timer.enabled) << c.name;
    }
}

TEST(Tick, LookupMatchesTheFirstRowWhoseKeyBeginsWithTheKey) {
    LoggerHarness h;
    startWith(h, {});
    h.receive({"***[PC7]=Anne", "***[PC7]=Ann", "***[PC7]=Zed"});
    h.drain();
    EXPECT_EQ(rowsOf(h.presenter.users()),
              (std::vector<std::string>{"[PC7]=ANNE|Anne|PC7", "[PC7]=ZED|Zed|PC7"}));
    h.receive({"-**[PC7]=Ann"});
    h.drain();
    EXPECT_EQ(rowsOf(h.presenter.users()), std::vector<std::string>{"[PC7]=ZED|Zed|PC7"});
    EXPECT_EQ(h.view.removingRows, std::vector<std::size_t>{0}) << "scrolled to before removal";
}

TEST(Tick, EveryTickSortsByUserNameAndAColumnClickHoldsUntilThen) {
    LoggerHarness h;
    startWith(h, {});
    h.receive({"***[b2]=carl", "***[c3]=Bea", "***[a1]=Al", "***[a0]=bea"});
    h.drain();
    // Case ignored, equal names keep the order they came in.
    EXPECT_EQ(rowsOf(h.presenter.users()),
              (std::vector<std::string>{"[A1]=AL|Al|a1", "[C3]=BEA|Bea|c3", "[A0]=BEA|bea|a0",
                                        "[B2]=CARL|carl|b2"}));
    h.presenter.clickColumn(UsersTable::computerColumn);
    EXPECT_EQ(h.presenter.users().rows().front().computer, "a0");
    h.presenter.clickColumn(UsersTable::computerColumn); // a second click does not reverse
    EXPECT_EQ(h.presenter.users().rows().front().computer, "a0");
    h.receive({"[any message"});
    h.presenter.tick();
    EXPECT_EQ(h.presenter.users().rows().front().user, "Al");
}

TEST(Tick, EmptyQueueTickChangesNothingAndCaretFollowsEveryLine) {
    LoggerHarness h;
    startWith(h, {.messages = 0});
    h.timer.enabled = true;
    h.presenter.tick();
    EXPECT_TRUE(h.timer.enabled) << "an empty tick leaves the timer running";
    EXPECT_EQ(h.view.caretMoves, 0);
    h.receive({"[a", "[b"});
    h.drain();
    EXPECT_EQ(h.view.caretMoves, 2) << "logged or not";
}
