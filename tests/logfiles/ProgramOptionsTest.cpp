#include "logfiles/ProgramOptions.h"

#include <gtest/gtest.h>
#include <sstream>

TEST(ProgramOptions, HelpAndVersionPrintUnknownDoubleDashOptionsAreRefusedTheRestPasses) {
    const logfiles::ProgramText text{"kelvologger", "1.0.1", "usage: kelvologger\n"};
    const std::string refused = "kelvologger: unknown option --port (--help lists the options)\n";
    struct Case {
        std::vector<std::string_view> args;
        std::optional<int> status;
        std::string out, err;
    } cases[] = {
        {{"--help"}, 0, "usage: kelvologger\n", ""},
        {{"/m", "--version"}, 0, "kelvologger 1.0.1\n", ""},
        {{"--port", "--help"}, 0, "usage: kelvologger\n", ""}, // asking for help is no error
        {{"/m", "--port"}, 2, "", refused},
        {{"--"}, 2, "", "kelvologger: unknown option -- (--help lists the options)\n"},
        {{"--headless", "/M", "-x", "-help"}, std::nullopt, "", ""}, // the program's own
        {{}, std::nullopt, "", ""},
    };
    for (const auto& c : cases) {
        std::ostringstream out, err;
        EXPECT_EQ(logfiles::answerCommonOptions(c.args, {"--headless"}, text, out, err), c.status)
            << testing::PrintToString(c.args);
        EXPECT_EQ(out.str(), c.out) << testing::PrintToString(c.args);
        EXPECT_EQ(err.str(), c.err) << testing::PrintToString(c.args);
    }
}
