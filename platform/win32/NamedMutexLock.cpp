#include "NamedMutexLock.h"

#include "Utf16.h"

#include <windows.h>

NamedMutexLock::NamedMutexLock(std::string programName) : m_programName(std::move(programName)) {}

NamedMutexLock::~NamedMutexLock() {
    if (m_mutex) CloseHandle(m_mutex);
}

bool NamedMutexLock::acquire() {
    if (m_mutex) return true;
    const HANDLE mutex =
        CreateMutexW(nullptr, FALSE, widen("Local\\kelvo-" + m_programName).c_str());
    // A lock that cannot even be created must not keep the user from logging.
    if (!mutex) return true;
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        CloseHandle(mutex);
        return false;
    }
    m_mutex = mutex;
    return true;
}
