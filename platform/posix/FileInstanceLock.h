#pragma once

#include "platform/InstanceLock.h"

#include <string>

// The user's lock file lives in $XDG_RUNTIME_DIR (else the temporary folder), named after the
// program and the user, so tests pointing XDG_RUNTIME_DIR elsewhere never meet the user's own
// programs. The work folder's lock is taken on the folder itself: it needs no file there, so
// a read-only folder is locked too, and it holds whatever the environment says.
class FileInstanceLock : public InstanceLock {
public:
    explicit FileInstanceLock(std::string programName);
    ~FileInstanceLock() override;
    bool acquire(const std::filesystem::path& workFolder) override;

private:
    std::string m_programName;
    bool m_held = false;
    int m_userFd = -1;
    int m_folderFd = -1;
};
