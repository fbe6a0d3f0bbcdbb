#pragma once

#include "platform/InstanceLock.h"

#include <string>

// A named mutex in the user's session (the "Local\" namespace): no file is touched, and the
// name goes with the last handle, so a program that was killed never blocks the next start.
class NamedMutexLock : public InstanceLock {
public:
    explicit NamedMutexLock(std::string programName);
    ~NamedMutexLock() override;
    bool acquire() override;

private:
    std::string m_programName;
    void* m_mutex = nullptr;
};
