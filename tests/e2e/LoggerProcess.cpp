#include "LoggerProcess.h"

#include "Udp.h"

#include <algorithm>
#include <gtest/gtest.h>

LoggerProcess::LoggerProcess(std::string settings) : port(freeUdpPort()) {
    std::filesystem::copy_file(KELVOLOGGER_PATH, dir / "kelvologger");
    std::filesystem::create_directories(dir / "run");
    std::filesystem::create_directories(dir / "config");
    dir.write("loggersettings.txt", settings +
                                        "[STARTWITHWINDOWS    ]=0\r\n[UDPPORT             ]=" +
                                        std::to_string(port) + "\r\n");
}

std::vector<std::string> LoggerProcess::environment() const {
    return {"XDG_RUNTIME_DIR=" + (dir / "run").string(),
            "XDG_CONFIG_HOME=" + (dir / "config").string(), "QT_QPA_PLATFORM=offscreen"};
}

void LoggerProcess::start(std::vector<std::string> args) {
    process = std::make_unique<Process>(dir / "kelvologger", args, environment(), dir.path());
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

bool LoggerProcess::waitForCurrentLog(const std::string& content) const {
    return waitFor([&] { return currentLog() == content; });
}

std::string LoggerProcess::currentLog() const {
    return dir.read("logs/logtemp.txt");
}

std::vector<std::string> LoggerProcess::archives() const {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(dir / "logs"))
        if (e.path().filename() != "logtemp.txt") names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}
