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
