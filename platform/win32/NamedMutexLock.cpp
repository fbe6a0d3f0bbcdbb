#include "NamedMutexLock.h"

#include "Utf16.h"

#include <windows.h>

namespace {
void release(void*& handle) {
    if (handle) CloseHandle(handle);
    handle = nullptr;
}
} // namespace

NamedMutexLock::NamedMutexLock(std::string programName) : m_programName(std::move(programName)) {}

NamedMutexLock::~NamedMutexLock() {
    release(m_mutex);
    release(m_folderFile);
}

bool NamedMutexLock::acquire(const std::filesystem::path& workFolder) {
    if (m_held) return true;
    // A lock that cannot even be created must not keep the user from logging.
    const HANDLE mutex =
        CreateMutexW(nullptr, FALSE, widen("Local\\kelvo-" + m_programName).c_str());
    if (mutex && GetLastError() == ERROR_ALREADY_EXISTS) {
        CloseHandle(mutex);
        return false;
    }
    if (!workFolder.empty()) {
        // Only a sharing violation means another instance; a folder that cannot be written
        // is no reason to stop (the writes themselves say so).
        const HANDLE file = CreateFileW((workFolder / (m_programName + ".lock")).c_str(),
                                        GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                                        FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
        if (file == INVALID_HANDLE_VALUE && GetLastError() == ERROR_SHARING_VIOLATION) {
            if (mutex) CloseHandle(mutex);
            return false;
        }
        if (file != INVALID_HANDLE_VALUE) m_folderFile = file;
    }
    m_mutex = mutex;
    m_held = true;
    return true;
}
