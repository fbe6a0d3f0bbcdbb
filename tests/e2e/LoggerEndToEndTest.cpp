#include "LoggerProcess.h"
#include "Udp.h"
#include "logfiles/LogNames.h"
#include "logfiles/TextFile.h"
#include "logger/Settings.h"

#include <csignal>
#include <gtest/gtest.h>
#include <optional>
#include <regex>

namespace {
// Every line of a log: a stamp, a kind and what followed; the last line of the file is empty.
std::vector<std::string> unstamped(const std::string& log) {
    std::vector<std::string> lines;
    const std::regex stamp(R"(^\d\d-\d\d-\d\d:\d\d:\d\d[ap]:)");
    for (auto line : logfiles::splitLines(log)) {
        std::string l(line);
        if (std::regex_search(l, stamp)) l = l.substr(16);
        lines.push_back(l);
    }
    return lines;
}
} // namespace

TEST(LoggerEndToEnd, LogsWhatTheSettingsLetThroughInOrder) {
    LoggerProcess logger("[FILTERSIGNONS       ]=1\r\n[FILTERHELLOS        ]=0\r\n");
    logger.start();
    logger.send({"signon", "Ann", "PC7"});
    logger.send({"hello", "Bo", "PC9"});
    logger.send({"message", "hi there"});
    logger.send({"junk", "noise"});
    logger.send({"signoff", "Ann", "PC7"});
    ASSERT_TRUE(waitFor([&] { return unstamped(logger.currentLog()).size() == 3; }))
        << logger.currentLog();
    EXPECT_EQ(unstamped(logger.currentLog()),
              (std::vector<std::string>{"SIGN ON :[PC7]=Ann", "MESSAGE :[hi there", ""}));
    // Headless, each logged line is also printed as it is logged.
    EXPECT_TRUE(waitFor(
        [&] { return logger.process->out().find("MESSAGE :[hi there") != std::string::npos; }));
}

// SIGTERM, or Ctrl+C while the printed lines go into a pipe that nobody reads any more
// (`| head -n 1`): the queue is logged, the archive written, the settings saved; an empty
// log still gives an archive, of one line end.
TEST(LoggerEndToEnd, ASignalLogsTheQueueThenArchivesAndEnds) {
    const struct {
        Process::Output output;
        int signal;
        int lines;
    } cases[] = {{Process::Output::file, SIGTERM, 40},
                 {Process::Output::closedPipe, SIGINT, 40},
                 {Process::Output::file, SIGINT, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.lines);
        LoggerProcess logger("[FILTERJUNK          ]=1\r\n");
        logger.start({"--headless"}, c.output);
        if (c.lines) logger.send({"burst", std::to_string(c.lines)}); // 120 ms a line: queued
        logger.process->signal(c.signal);
        ASSERT_EQ(logger.process->waitExit(), 0) << logger.process->err();
        const auto archives = logger.archives();
        ASSERT_EQ(archives.size(), 1u);
        EXPECT_TRUE(logfiles::archiveTime(archives[0]));
        EXPECT_FALSE(std::filesystem::exists(logger.dir / "logs/logtemp.txt"));
        const auto lines = unstamped(logger.dir.read("logs/" + archives[0]));
        ASSERT_EQ(lines.size(), static_cast<std::size_t>(c.lines) + 1);
        for (int i = 0; i < c.lines; ++i)
            EXPECT_TRUE(lines[static_cast<std::size_t>(i)].starts_with("MESSAGE :[" +
                                                                       std::to_string(i) + "."));
        EXPECT_EQ(lines.back(), "");
        EXPECT_EQ(logger.dir.read("loggersettings.txt"),
                  settings::fileText({1, 0, 0, 0, 1, 0}, std::to_string(logger.port)));
    }
}

// Whatever its environment (another runtime folder: a cron job, an SSH session), a second
// logger on the same folder ends at once and leaves every file of the first as it was.
TEST(LoggerEndToEnd, ASecondLoggerOnTheSameFolderIsRefusedAndTouchesNothing) {
    LoggerProcess first;
    first.start();
    first.send({"message", "kept"});
    ASSERT_TRUE(waitFor([&] { return first.currentLog().find("[kept") != std::string::npos; }));
    first.dir.write("logs/logtemp.txt.kelvotmp", "a write in progress");
    const auto files = [&] {
        std::vector<std::string> all;
        for (const auto& name : fileNames(first.dir / "logs"))
            all.push_back(name + ":" + first.dir.read("logs/" + name));
        return all;
    };
    const auto before = files();
    for (const std::string runtime : {"run", "elsewhere"}) {
        Process second(first.dir / "kelvologger", {"--headless"}, first.environment(runtime),
                       first.dir / runtime);
        EXPECT_EQ(second.waitExit(), 1) << runtime;
        EXPECT_EQ(second.err(), "kelvologger: Kelvo Logger v1.0.1\n     is already running.\n");
        EXPECT_EQ(files(), before) << runtime;
    }
    EXPECT_TRUE(first.process->running());
}

// A port held by another program, or no port at all: headless, nobody can change it, so the
// start ends with a failure and says nothing of listening; the log of the last run stays.
TEST(LoggerEndToEnd, APortThatCannotBeBoundEndsAHeadlessStartAndKeepsTheEarlierLog) {
    const std::string earlier = "12-05-26:09:41p:MESSAGE :[earlier\r\n\r\n";
    for (const std::string port : {"held", "0", "-1", "65536"}) {
        LoggerProcess logger;
        std::optional<HeldUdpPort> other;
        if (port == "held")
            other.emplace(logger.port);
        else
            logger.dir.write("loggersettings.txt", "[UDPPORT             ]=" + port + "\r\n");
        std::filesystem::create_directory(logger.dir / "logs");
        logger.dir.write("logs/logtemp.txt", earlier);
        Process refused(logger.dir / "kelvologger", {"--headless"}, logger.environment(),
                        logger.dir / "run");
        EXPECT_EQ(refused.waitExit(), 1) << port;
        EXPECT_EQ(logger.currentLog(), earlier) << port;
        if (port == "held")
            EXPECT_EQ(refused.err(),
                      "kelvologger: Port " + std::to_string(logger.port) +
                          " is in use.\nMost likely Kelvo IM is running on this machine.\n"
                          "Close Kelvo IM and restart the Logger.\n");
        else
            EXPECT_EQ(refused.err(),
                      "kelvologger: Error :Port number out of range (1 to 65535)\nError #22\n"
                      "kelvologger: no port to listen on, so it ends; set one from 1 to 65535 "
                      "in " +
                          (logger.dir / "loggersettings.txt").string() + "\n")
                << port;
    }
}
