#include "LoggerProcess.h"
#include "logger/RegistryAutoStart.h"
#include "logger/registry/PortableBackend.h"
#include "logger/registry/cRegistry.h"

#include <csignal>
#include <gtest/gtest.h>

using namespace std::string_literals;
namespace fs = std::filesystem;

namespace {
// The real logger with the start-at-logon switch as its settings file says, and its entry in
// the registry that the logger keeps in its own configuration folder.
class StartAtLogon : public ::testing::Test {
protected:
    void start(int state) {
        logger.dir.write("loggersettings.txt",
                         "[STARTWITHWINDOWS    ]=" + std::to_string(state) +
                             "\r\n[UDPPORT             ]=" + std::to_string(logger.port) + "\r\n");
        logger.start();
    }
    // Ends it the way that saves the settings, and with them brings the entry into line.
    void terminate() {
        logger.process->signal(SIGTERM);
        ASSERT_EQ(logger.process->waitExit(), 0) << logger.process->err();
    }
    registry::cRegistry entry() {
        registry::cRegistry reg("kelvologger", backend);
        RegistryAutoStart::address(reg);
        return reg;
    }
    fs::path entryFile() const {
        return logger.dir / "config/autostart/kelvo-run-kelvo_20logger_20autostart.desktop";
    }

    LoggerProcess logger;
    registry::PortableBackend backend{logger.dir / "config", "kelvologger"};
    const std::string command = "\"" + fs::canonical(logger.dir / "kelvologger").string() + "\" /m";
    const std::string other = "\"/elsewhere/kelvologger\" /m";
};
} // namespace

TEST_F(StartAtLogon, CheckedCreatesAnEntryThatStartsTheLoggerMinimised) {
    start(1);
    EXPECT_EQ(entry().Value(), registry::Variant(command));
    const auto desktopEntry =
        logger.dir.read(fs::relative(entryFile(), logger.dir.path()).string());
    EXPECT_NE(desktopEntry.find("\nExec=" + command.substr(1, command.size() - 5) + " /m\n"),
              std::string::npos)
        << desktopEntry;
    terminate();
    EXPECT_EQ(entry().Value(), registry::Variant(command));
    EXPECT_EQ(logger.process->err().find("start at logon"), std::string::npos)
        << logger.process->err();
}

TEST_F(StartAtLogon, CheckedKeepsAnEntryWithOtherData) {
    entry().Value(other);
    start(1);
    terminate();
    EXPECT_EQ(entry().Value(), registry::Variant(other));
}

TEST_F(StartAtLogon, AnEntryLeftOverWhileUncheckedGoesAtTheNextSave) {
    entry().Value(other);
    start(0);
    EXPECT_EQ(entry().Value(), registry::Variant(other)) << "the loader changed no switch";
    terminate();
    EXPECT_EQ(entry().Value(), registry::Variant());
    EXPECT_FALSE(fs::exists(entryFile()));
}

TEST_F(StartAtLogon, UncheckedWithNoEntryReportsNothing) {
    start(0);
    terminate();
    EXPECT_FALSE(fs::exists(logger.dir / "config/autostart"));
    EXPECT_EQ(logger.process->err().find("start at logon"), std::string::npos)
        << logger.process->err();
}
