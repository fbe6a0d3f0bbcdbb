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
