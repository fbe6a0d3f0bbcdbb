#pragma once

#include "Process.h"
#include "TempDir.h"

#include <memory>
#include <string>
#include <vector>

// The real logger, copied into a fresh folder of its own (it keeps its settings and logs
// beside itself), listening on a free port, with its own lock, configuration, state and data
// folders so that the user's own logger on this machine is never met.
class LoggerProcess {
public:
    // `settings` holds the settings records without the port; the port is added.
    explicit LoggerProcess(std::string settings = "[FILTERSIGNONS       ]=1\r\n");

    void start(std::vector<std::string> args = {"--headless"},
               Process::Output output = Process::Output::file);
    // Sends with the project's own traffic sender.
    void send(const std::vector<std::string>& kelvosendArgs) const;
    std::string currentLog() const;
    std::vector<std::string> archives() const;

    TempDir dir;
    int port;
    std::unique_ptr<Process> process;

    // Its own lock and configuration folders, and a runtime folder that may be another's.
    std::vector<std::string> environment(const std::string& runtime = "run") const;
};
