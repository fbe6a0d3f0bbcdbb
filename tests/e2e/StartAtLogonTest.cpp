#include "LoggerProcess.h"
#include "logger/RegistryAutoStart.h"
#include "logger/registry/PortableBackend.h"
#include "logger/registry/cRegistry.h"

#include <csignal>
#include <gtest/gtest.h>

namespace fs = std::filesystem;

// The real logger with the start-at-logon switch as its settings file says, and its entry in
// the registry that the logger keeps in its own configuration folder. Ending it saves the
// settings, and with them brings the entry into line.
TEST(StartAtLogon, TheSwitchDecidesTheEntryFromStartToEnd) {
    const std::string other = "\"/elsewhere/kelvologger\" /m";
    struct Case {
        int state;
        std::optional<std::string> before; // "" stands for this logger's own command
        std::optional<std::string> running, ended;
    } cases[] = {
        {1, std::nullopt, "", ""},
        {1, other, "", ""},              // an entry left by a copy in another folder is corrected
        {0, other, other, std::nullopt}, // the loader changed no switch: it goes at the save
        {0, std::nullopt, std::nullopt, std::nullopt},
    };
    for (const auto& c : cases) {
        LoggerProcess logger("[STARTWITHWINDOWS    ]=" + std::to_string(c.state) + "\r\n");
        registry::PortableBackend backend{logger.dir / "config", "kelvologger"};
        const auto entry = [&] {
            registry::cRegistry reg("kelvologger", backend);
            RegistryAutoStart::address(reg);
            return reg;
        };
        const std::string command =
            "\"" + fs::canonical(logger.dir / "kelvologger").string() + "\" /m";
        const auto expected = [&](const std::optional<std::string>& value) {
            return !value ? registry::Variant()
                          : registry::Variant(value->empty() ? command : *value);
        };
        if (c.before) entry().Value(*c.before);
        logger.start();
        EXPECT_EQ(entry().Value(), expected(c.running)) << c.state;
        logger.process->signal(SIGTERM);
        ASSERT_EQ(logger.process->waitExit(), 0) << logger.process->err();
        EXPECT_EQ(entry().Value(), expected(c.ended)) << c.state;
        EXPECT_EQ(logger.process->err().find("start at logon"), std::string::npos)
            << logger.process->err();
    }
}
