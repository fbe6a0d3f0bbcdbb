#pragma once

#include "platform/InstanceLock.h"

#include <string>

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
