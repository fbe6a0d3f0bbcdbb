#pragma once

#include <chrono>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// A real program started by a test, with its standard output and error in files, or its
// standard output into a pipe that nobody reads any more (`| head` after its line).
class Process {
public:
    enum class Output { file, closedPipe };
    Process(const std::filesystem::path& program, const std::vector<std::string>& args,
            const std::vector<std::string>& extraEnv, const std::filesystem::path& outputDir,
            Output output = Output::file);
    ~Process(); // kills it if it still runs
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;

    void signal(int sig) const;
    // The exit status, or nothing if it still runs at the deadline.
    std::optional<int> waitExit(std::chrono::milliseconds deadline = std::chrono::seconds(20));
    bool running();
    std::string out() const;
    std::string err() const;

private:
    int m_pid = -1;
    std::optional<int> m_status;
    std::filesystem::path m_out, m_err;
};

// Waits for a condition, polling; false if it does not hold by the deadline.
bool waitFor(const std::function<bool()>& condition,
             std::chrono::milliseconds deadline = std::chrono::seconds(20));
