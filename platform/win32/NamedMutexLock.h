#pragma once

#include "platform/InstanceLock.h"

#include <string>

// A named mutex in the user's session (the "Local\" namespace) for the program, and for a
// work folder a file in it held open with no sharing, which every user and session on any
// machine that sees the folder meets. Both go with their process, so a program that was
// killed never blocks the next start.
class NamedMutexLock : public InstanceLock {
public:
    explicit NamedMutexLock(std::string programName);
    ~NamedMutexLock() override;
    bool acquire(const std::filesystem::path& workFolder) override;

private:
    std::string m_programName;
    void* m_mutex = nullptr;
    void* m_folderFile = nullptr;
    bool m_held = false;
};
