#include "logfiles/TextFile.h"
#include "TempDir.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace logfiles;

TEST(TextFile, ReadsEveryLineFollowedByCrLf) {
    struct Case {
        std::string file, shown;
    } cases[] = {
        {"", ""},
        {"a\r\nb\r\n", "a\r\nb\r\n"},
        {"a\r\nb", "a\r\nb\r\n"},             // the end of the file ends the last line
        {"a\r\nb\r\n\r\n", "a\r\nb\r\n\r\n"}, // an empty last line is a line too
        {"x\ry\nz", "x\ry\nz\r\n"},           // lone CR and LF belong to the line
        {std::string("n\0ul", 4), std::string("n\0ul\r\n", 6)},
        {"end\r", "end\r\r\n"},
    };
    TempDir dir;
    for (const auto& c : cases) {
        dir.write("f.txt", c.file);
        std::string text;
        ASSERT_FALSE(readText(dir / "f.txt", text)) << c.file;
        EXPECT_EQ(text, c.shown) << c.file;
    }
}

TEST(TextFile, SplitsAtCrLfOnly) {
    using V = std::vector<std::string_view>;
    EXPECT_EQ(splitLines(""), V{});
    EXPECT_EQ(splitLines("a\r\n"), V{"a"});
    EXPECT_EQ(splitLines("a\r\n\r\n"), (V{"a", ""}));
    EXPECT_EQ(splitLines("a\nb\rc"), V{"a\nb\rc"});
    EXPECT_EQ(splitLines("a\r\nb"), (V{"a", "b"}));
}

TEST(TextFile, RefusesWhatIsNoRegularFileOrTooLarge) {
    TempDir dir;
    std::string text = "stale";
    EXPECT_EQ(readText(dir / "missing.txt", text), std::errc::no_such_file_or_directory);
    EXPECT_TRUE(text.empty());

    std::filesystem::create_directory(dir / "folder.txt");
    EXPECT_EQ(readText(dir / "folder.txt", text), FileError::NotRegularFile);

    // A named pipe without a writer would block a plain open forever.
    ASSERT_EQ(mkfifo((dir / "pipe.txt").c_str(), 0600), 0);
    EXPECT_EQ(readText(dir / "pipe.txt", text), FileError::NotRegularFile);

    dir.write("big.txt", std::string(1001, 'x'));
    EXPECT_EQ(readText(dir / "big.txt", text, 1000), FileError::TooLarge);
    EXPECT_FALSE(readText(dir / "big.txt", text, 1001));
}

TEST(TextFile, WritesAtomicallyAndLeavesNoTemporary) {
    TempDir dir;
    ASSERT_FALSE(writeAtomically(dir / "log.txt", "old\r\n"));
    ASSERT_FALSE(writeAtomically(dir / "log.txt", std::string("new\0\r\n", 6)));
    EXPECT_EQ(dir.read("log.txt"), std::string("new\0\r\n", 6));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);

    // A write that cannot happen keeps the old file and says why.
    EXPECT_EQ(writeAtomically(dir / "gone" / "log.txt", "x"), std::errc::no_such_file_or_directory);
    std::filesystem::create_directory(dir / "log.txt.kelvotmp");
    EXPECT_EQ(writeAtomically(dir / "log.txt", "lost"), std::errc::is_a_directory);
    EXPECT_EQ(dir.read("log.txt"), std::string("new\0\r\n", 6));
}

TEST(TextFile, RemovesLeftoverTemporariesOnly) {
    TempDir dir;
    dir.write("logtemp.txt.kelvotmp", "half");
    dir.write("logtemp.txt", "whole\r\n");
    dir.write("notes.tmp", "someone else's");
    removeLeftoverTemporaries(dir.path());
    EXPECT_FALSE(std::filesystem::exists(dir / "logtemp.txt.kelvotmp"));
    EXPECT_TRUE(std::filesystem::exists(dir / "logtemp.txt"));
    EXPECT_TRUE(std::filesystem::exists(dir / "notes.tmp"));
}
