#include "Process.h"
#include "TempDir.h"

#include <gtest/gtest.h>

// --help, --version and an unknown option, on the real programs: each answers and ends
// without touching a file, a lock or an autostart entry. The programs sit in a folder of
// their own, with a home, a data, a configuration and a runtime folder of their own.
TEST(CommandLine, HelpVersionAndUnknownOptionsAnswerAndTouchNothing) {
    const struct {
        const char* program;
        std::vector<std::string> args;
        int status;
        // Exit 0: the start of the standard output. Exit 2: the option refused on standard error.
        std::string said;
    } cases[] = {
        {KELVOLOGGER_PATH, {"--help"}, 0, "usage: kelvologger"},
        {KELVOLOGGER_PATH, {"/m", "--version"}, 0, "kelvologger 1.0.1\n"},
        {KELVOLOGGER_PATH, {"--headless", "--port"}, 2, "--port"},
        {KELVOLOGVIEWER_PATH, {"--help"}, 0, "usage: kelvologviewer"},
        {KELVOLOGVIEWER_PATH, {"--version"}, 0, "kelvologviewer 1.0.4\n"},
        {KELVOLOGVIEWER_PATH, {"--refresh"}, 2, "--refresh"},
        {KELVOSEND_PATH, {"--version"}, 0, "kelvosend "},
        {KELVOSEND_PATH, {"--bogus", "demo"}, 2, "--bogus"},
    };
    for (const auto& c : cases) {
        TempDir dir, output;
        const std::filesystem::path program = c.program;
        std::filesystem::create_directory(dir / "bin");
        std::filesystem::copy_file(program, dir / "bin" / program.filename());
        for (const char* name : {"home", "data", "config", "run"})
            std::filesystem::create_directory(dir / name);
        Process p(dir / "bin" / program.filename(), c.args,
                  {"HOME=" + (dir / "home").string(), "XDG_DATA_HOME=" + (dir / "data").string(),
                   "XDG_CONFIG_HOME=" + (dir / "config").string(),
                   "XDG_RUNTIME_DIR=" + (dir / "run").string(), "QT_QPA_PLATFORM=offscreen"},
                  output.path());
        const auto what = program.filename().string() + " " + testing::PrintToString(c.args);
        EXPECT_EQ(p.waitExit(), c.status) << what;
        if (c.status == 0) {
            EXPECT_EQ(p.out().substr(0, c.said.size()), c.said) << what;
            EXPECT_EQ(p.err(), "") << what;
        } else {
            EXPECT_EQ(p.out(), "") << what;
            EXPECT_EQ(p.err(), program.filename().string() + ": unknown option " + c.said +
                                   " (--help lists the options)\n");
        }
        // The help of both programs names where their files are: here, beside the program.
        if (c.args == std::vector<std::string>{"--help"}) {
            EXPECT_NE(p.out().find((dir / "bin").string()), std::string::npos) << p.out();
        }
        EXPECT_EQ(fileNames(dir / "bin"), std::vector{program.filename().string()}) << what;
        for (const char* name : {"home", "data", "config", "run"})
            EXPECT_TRUE(std::filesystem::is_empty(dir / name)) << what << ": " << name;
    }
}
