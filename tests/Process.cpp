#include "Process.h"
#include "TempDir.h"

#include <csignal>
#include <fcntl.h>
#include <functional>
#include <spawn.h>
#include <stdexcept>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

Process::Process(const std::filesystem::path& program, const std::vector<std::string>& args,
                 const std::vector<std::string>& extraEnv, const std::filesystem::path& outputDir,
                 Output output)
    : m_out(outputDir / "stdout.txt"), m_err(outputDir / "stderr.txt") {
    std::vector<std::string> env = extraEnv;
    for (char** e = environ; *e; ++e) {
        const std::string kv = *e;
        const auto name = kv.substr(0, kv.find('=') + 1);
        bool overridden = false;
        for (const auto& x : extraEnv)
            overridden |= x.starts_with(name);
        if (!overridden) env.push_back(kv);
    }
    std::vector<char*> argv{const_cast<char*>(program.c_str())}, envp;
    for (const auto& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    for (auto& e : env)
        envp.push_back(e.data());
    envp.push_back(nullptr);

    int pipeEnds[2] = {-1, -1};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (output == Output::closedPipe && ::pipe2(pipeEnds, O_CLOEXEC) == 0) {
        ::close(pipeEnds[0]);
        posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], 1);
    } else {
        posix_spawn_file_actions_addopen(&actions, 1, m_out.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                         0644);
    }
    posix_spawn_file_actions_addopen(&actions, 2, m_err.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    const int rc =
        posix_spawn(&m_pid, program.c_str(), &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (pipeEnds[1] >= 0) ::close(pipeEnds[1]);
    if (rc != 0) throw std::runtime_error("cannot start " + program.string());
}

Process::~Process() {
    if (running()) {
        ::kill(m_pid, SIGKILL);
        waitExit();
    }
}

void Process::signal(int sig) const {
    ::kill(m_pid, sig);
}

bool Process::running() {
    if (m_status) return false;
    int status = 0;
    if (::waitpid(m_pid, &status, WNOHANG) == m_pid)
        m_status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return !m_status;
}

std::optional<int> Process::waitExit(std::chrono::milliseconds deadline) {
    waitFor([this] { return !running(); }, deadline);
    return m_status;
}

std::string Process::out() const {
    return readFile(m_out);
}
std::string Process::err() const {
    return readFile(m_err);
}

bool waitFor(const std::function<bool()>& condition, std::chrono::milliseconds deadline) {
    const auto end = std::chrono::steady_clock::now() + deadline;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > end) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5)); // polling another process
    }
    return true;
}
