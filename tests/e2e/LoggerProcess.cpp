#include "LoggerProcess.h"

#include "Udp.h"

#include <gtest/gtest.h>

LoggerProcess::LoggerProcess(std::string settings) : port(freeUdpPort()) {
    std::filesystem::copy_file(KELVOLOGGER_PATH, dir / "kelvologger");
    std::filesystem::create_directories(dir / "run");
    std::filesystem::create_directories(dir / "config");
    // The records given come after the defaults of a test: where they say otherwise, they win.
    dir.write("loggersettings.txt", "[STARTWITHWINDOWS    ]=0\r\n" + settings +
                                        "[UDPPORT             ]=" + std::to_string(port) + "\r\n");
}

std::vector<std::string> LoggerProcess::environment(const std::string& runtime) const {
    std::filesystem::create_directories(dir / runtime);
    return {"XDG_RUNTIME_DIR=" + (dir / runtime).string(),
            "XDG_CONFIG_HOME=" + (dir / "config").string(),
            "XDG_STATE_HOME=" + (dir / "state").string(),
            "XDG_DATA_HOME=" + (dir / "data").string(), "QT_QPA_PLATFORM=offscreen"};
}

void LoggerProcess::start(std::vector<std::string> args, Process::Output output) {
    process =
        std::make_unique<Process>(dir / "kelvologger", args, environment(), dir.path(), output);
    // Listening once the port is taken.
    ASSERT_TRUE(waitFor([&] {
        try {
            HeldUdpPort probe(port);
            return !process->running();
        } catch (...) {
            return true;
        }
    })) << process->err();
}

void LoggerProcess::send(const std::vector<std::string>& kelvosendArgs) const {
    std::vector<std::string> args = {"--port", std::to_string(port)};
    args.insert(args.end(), kelvosendArgs.begin(), kelvosendArgs.end());
    Process sender(KELVOSEND_PATH, args, {}, dir.path() / "run");
    ASSERT_EQ(sender.waitExit(), 0) << sender.err();
}

std::string LoggerProcess::currentLog() const {
    return dir.read("logs/logtemp.txt");
}

std::vector<std::string> LoggerProcess::archives() const {
    auto names = fileNames(dir / "logs");
    std::erase(names, "logtemp.txt");
    return names;
}
