#include "ViewerFixture.h"

using Offsets = std::vector<std::size_t>;
using Selection = viewer::ShownText::Selection;

class SearchAsYouType : public ViewerTest {
protected:
    void show(std::string_view text) {
        write("log070812153045.txt", text);
        start();
    }
    const Offsets& marks() const { return viewer->shown().marks(); }
};

TEST_F(SearchAsYouType, MarksEveryOccurrenceLeftToRightWithoutOverlap) {
    const std::string log = "12-05-26:09:41p:SIGN ON :[PC7]=Ann\r\n"
                            "12-05-26:09:42p:SIGN OFF:[PC7]=Ann aaaa \xC9t\xE9\r\n";
    show(log);
    const std::pair<std::string, Offsets> cases[] = {
        {"aa", {71, 73}},         // four equal letters hold two, not three
        {"12-05-26:09:41p", {0}}, // a match at the very first character
        {"sign", {16, 52}},       // letters match in either case
        {" ON", {20}},            // a leading blank must be there too
        {"ann ", {67}},           // and so must a trailing one
        {"\xE9T\xC9", {76}},      // accented letters of the code page fold too
    };
    for (const auto& [search, offsets] : cases) {
        viewer->changeSearchText(search);
        EXPECT_EQ(marks(), offsets) << search;
        EXPECT_EQ(viewer->shown().selection(), (Selection{offsets.back(), search.size()}));
        EXPECT_EQ(viewer->label3(), "");
    }
    EXPECT_EQ(viewer->shown().text(), log);
}

TEST_F(SearchAsYouType, NotFoundAndBackToNothing) {
    show("SIGN ON :x\r\n");
    viewer->changeSearchText("S");
    for (const char* search : {"q", "qu"}) {
        viewer->changeSearchText(search);
        EXPECT_EQ(viewer->label3(), "Not Found");
        EXPECT_TRUE(marks().empty());
        EXPECT_EQ(viewer->shown().selection(), (Selection{0, 12}));
    }
    viewer->changeSearchText("?", false); // a character no byte of a log can be
    EXPECT_EQ(viewer->label3(), "Not Found");
    viewer->changeSearchText("s");
    viewer->changeSearchText("");
    EXPECT_TRUE(marks().empty());
    EXPECT_EQ(viewer->label3(), "");
    EXPECT_FALSE(viewer->check1());
    EXPECT_EQ(viewer->shown().selection(), (Selection{0, 12}));
}

TEST_F(SearchAsYouType, OpeningAnotherLogMarksItAndAnEmptyViewOnlyClearsTheNotice) {
    write("log070812153045.txt", "abc abc\r\n");
    write("log070812153046.txt", "xyz\r\n");
    write("log070812153047.txt", "");
    start();
    viewer->changeSearchText("ABC");
    EXPECT_EQ(viewer->label3(), "");
    open(2);
    EXPECT_EQ(marks(), (Offsets{0, 4}));
    open(1);
    EXPECT_TRUE(marks().empty());
    EXPECT_EQ(viewer->label3(), "Not Found");
}

// The windows draw a line run by run: a mark split by nothing, marks at either end, a mark
// reaching over the line break into the next line.
TEST(ShownTextRuns, SplitEachLineWhereTheMarkingChanges) {
    viewer::ShownText shown;
    shown.assign("abXXab\r\nb ab");
    ASSERT_TRUE(shown.markAll(viewer::Finder("b")));
    using Runs = std::vector<std::pair<std::size_t, bool>>;
    const Runs expected[] = {{{1, false}, {2, true}, {5, false}, {6, true}},
                             {{1, true}, {3, false}, {4, true}}};
    for (std::size_t line = 0; line < 2; ++line) {
        viewer::ShownText::LineRuns runs(shown, line);
        Runs got;
        for (std::size_t at = 0; at < shown.line(line).size();) {
            const auto run = runs.from(at);
            got.emplace_back(run.end, run.marked);
            at = run.end;
        }
        EXPECT_EQ(got, expected[line]) << line;
    }
    // The views size their width by the longest line.
    shown.assign("a\r\nlonger\r\nmiddle\r\nmid");
    EXPECT_EQ(shown.longestLine(), 1u);
}
