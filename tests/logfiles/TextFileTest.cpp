#include "logfiles/TextFile.h"
#include "TempDir.h"

#include <gtest/gtest.h>

using namespace logfiles;

TEST(TextFile, ReadsEveryLineFollowedByCrLfAndSplitsAtCrLfOnly) {
    using Lines = std::vector<std::string_view>;
    struct Case {
        std::string file, shown;
        Lines lines;
    } cases[] = {
        {"", "", {}},
        {"a\r\nb\r\n", "a\r\nb\r\n", {"a", "b"}},
        {"a\r\nb", "a\r\nb\r\n", {"a", "b"}}, // the end of the file ends the last line
        {"a\r\nb\r\n\r\n", "a\r\nb\r\n\r\n", {"a", "b", ""}}, // an empty last line is a line too
        {"x\ry\nz", "x\ry\nz\r\n", {"x\ry\nz"}},              // lone CR and LF belong to the line
        {std::string("n\0ul", 4), std::string("n\0ul\r\n", 6), {std::string_view("n\0ul", 4)}},
        {"end\r", "end\r\r\n", {"end\r"}},
    };
    TempDir dir;
    for (const auto& c : cases) {
        dir.write("f.txt", c.file);
        std::string text;
        ASSERT_FALSE(readText(dir / "f.txt", text)) << c.file;
        EXPECT_EQ(text, c.shown) << c.file;
        EXPECT_EQ(splitLines(c.file), c.lines) << c.file;
    }
}

// Under any name the system allows; never what is no file or more than the caller takes.
TEST(TextFile, WritesAndReadsAnyNameAndRefusesFoldersAndFilesOverTheLimit) {
    TempDir dir;
    const auto named = dir.path() / std::filesystem::path(u8"caf\u00e9 \u65e5\u672c.txt");
    ASSERT_FALSE(writeAtomically(named, "accented"));
    std::string text;
    EXPECT_FALSE(readText(named, text));
    EXPECT_EQ(text, "accented\r\n");
    EXPECT_EQ(readText(named, text, 7), make_error_code(FileError::TooLarge));
    EXPECT_FALSE(readText(named, text, 8)) << "the limit itself is allowed";
    std::filesystem::create_directory(dir / "folder.txt");
    EXPECT_TRUE(readText(dir / "folder.txt", text));
    EXPECT_TRUE(readText(dir / "missing.txt", text));
}
