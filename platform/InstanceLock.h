#pragma once

#include <filesystem>

// One running instance per program and user, and per folder of files it works in. The lock
// dies with its process, so a program that was killed never blocks the next start.
class InstanceLock {
public:
    virtual ~InstanceLock() = default;
    // True when this process now holds the lock (or already did); also for `workFolder`,
    // unless empty, whoever started the program there and with whatever environment.
    virtual bool acquire(const std::filesystem::path& workFolder) = 0;
};
