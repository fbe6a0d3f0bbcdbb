#pragma once

#include <string>

// One running instance per program and user. The lock dies with its process, so a program
// that was killed never blocks the next start.
class InstanceLock {
public:
    virtual ~InstanceLock() = default;
    // True when this process now holds the lock (or already did).
    virtual bool acquire() = 0;
};

// The lock file lives in $XDG_RUNTIME_DIR (else the temporary folder), named after the program
// and the user, so tests pointing XDG_RUNTIME_DIR elsewhere never meet the user's own programs.
class FileInstanceLock : public InstanceLock {
public:
    explicit FileInstanceLock(std::string programName);
    ~FileInstanceLock() override;
    bool acquire() override;

private:
    std::string m_programName;
    int m_fd = -1;
};
