#include "LoggerHarness.h"

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
        bool annListed; // "***[PC7]=Ann" was handled first
        std::string line;
        Filters filters;
        std::string user;   // key|user|computer of the one row listed after the tick
        std::string logged; // without the stamp
    } cases[] = {
        {"sign-on into an empty table",
         false,
         "***[PC7]=Ann",
         {},
         "[PC7]=ANN|Ann|PC7",
         "SIGN ON :[PC7]=Ann"},
        {"the same sign-on again",
         true,
         "***[PC7]=Ann",
         {},
         "[PC7]=ANN|Ann|PC7",
         "SIGN ON :[PC7]=Ann"},
        {"another case matches and keeps the first names",
         true,
         "***[pc7]=ann",
         {.signons = 0},
         "[PC7]=ANN|Ann|PC7",
         ""},
        {"hello adds its user even when not logged",
         false,
         "**-[PC9]=Bo",
         {.hellos = 0},
         "[PC9]=BO|Bo|PC9",
         ""},
        {"sign-off removes its user even when not logged",
         true,
         "-**[PC7]=Ann",
         {.signoffs = 0},
         "",
         ""},
        {"sign-off of nobody listed",
         true,
         "-**[PC8]=Cy",
         {},
         "[PC7]=ANN|Ann|PC7",
         "SIGN OFF:[PC8]=Cy"},
        {"no = : the user name is the whole line",
         false,
         "***PC7",
         {},
         "PC7|***PC7|",
         "SIGN ON :PC7"},
        {"empty computer name", false, "***[]=Ann", {}, "[]=ANN|Ann|", "SIGN ON :[]=Ann"},
        {"the split is at the first =",
         false,
         "***[PC7]=Ann=x",
         {},
         "[PC7]=ANN=X|Ann=x|PC7",
         "SIGN ON :[PC7]=Ann=x"},
        {"any delimiters", false, "***<PC7>=Ann", {}, "<PC7>=ANN|Ann|PC7", "SIGN ON :<PC7>=Ann"},
        {"message", false, "[abc", {}, "", "MESSAGE :[abc"},
        {"message filtered out", false, "[abc", {.messages = 0}, "", ""},
        {"junk", false, "hello", {}, "", "JUNK    :hello"},
        {"two characters are junk", false, "**", {.junk = 0}, "", ""},
        {"empty datagram is junk", false, "", {}, "", "JUNK    :"},
        {"a bare tag names nobody listed", true, "-**", {}, "[PC7]=ANN|Ann|PC7", "SIGN OFF:"},
        {"a greyed box lets its kind through",
         false,
         "***[A]=Al",
         {.signons = 2},
         "[A]=AL|Al|A",
         "SIGN ON :[A]=Al"},
        {"but keeps junk out", false, "zzz", {.junk = 2}, "", ""},
        {"accented letters are upper-cased too",
         false,
         "***[pc]=\xe9mile",
         {},
         "[PC]=\xc9MILE|\xe9mile|pc",
         "SIGN ON :[pc]=\xe9mile"},
    };
    for (const auto& c : cases) {
        LoggerHarness h;
        startWith(h, c.filters);
        if (c.annListed) h.receive({"***[PC7]=Ann"}), h.drain();
        const auto before = h.presenter.activity().text().size();
        h.receive({c.line});
        h.presenter.tick();
        EXPECT_EQ(rowsOf(h.presenter.users()), c.user.empty() ? Strings{} : Strings{c.user})
            << c.name;
        EXPECT_EQ(h.presenter.activity().text().substr(before),
                  c.logged.empty() ? "" : std::string(kStamp) + c.logged + "\r\n")
            << c.name;
        // The line leaves the queue whether or not it was logged.
        EXPECT_TRUE(h.presenter.cue().empty() && h.presenter.traffic() == 0 && !h.timer.enabled)
            << c.name;
    }
}

TEST(Tick, LookupMatchesTheFirstRowWhoseKeyBeginsWithTheKey) {
    LoggerHarness h;
    startWith(h, {});
    h.receive({"***[PC7]=Anne", "***[PC7]=Ann", "***[PC7]=Zed"});
    h.drain();
    EXPECT_EQ(rowsOf(h.presenter.users()), (Strings{"[PC7]=ANNE|Anne|PC7", "[PC7]=ZED|Zed|PC7"}));
    h.receive({"-**[PC7]=Ann"});
    h.drain();
    EXPECT_EQ(rowsOf(h.presenter.users()), Strings{"[PC7]=ZED|Zed|PC7"});
    EXPECT_EQ(h.view.removingRows, std::vector<std::size_t>{0}) << "scrolled to before removal";
}

TEST(Tick, EveryTickSortsByUserNameAndAColumnClickHoldsUntilThen) {
    LoggerHarness h;
    startWith(h, {});
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
