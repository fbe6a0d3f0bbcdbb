#include "FileInstanceLock.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {
void closeIfOpen(int& fd) {
    if (fd >= 0) ::close(fd);
    fd = -1;
}

// False only when another process holds the lock. A lock that cannot even be taken (no file,
// a file system without locks) must not keep the user from working: the descriptor is dropped.
bool lockOrDrop(int& fd) {
    if (fd < 0 || ::flock(fd, LOCK_EX | LOCK_NB) == 0) return true;
    const bool held = errno == EWOULDBLOCK;
    closeIfOpen(fd);
    return !held;
}
} // namespace

FileInstanceLock::FileInstanceLock(std::string programName)
    : m_programName(std::move(programName)) {}

FileInstanceLock::~FileInstanceLock() {
    closeIfOpen(m_userFd);
    closeIfOpen(m_folderFd);
}

bool FileInstanceLock::acquire(const std::filesystem::path& workFolder) {
    if (m_held) return true;
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    const std::filesystem::path folder = runtime && *runtime
                                             ? std::filesystem::path(runtime)
                                             : std::filesystem::temp_directory_path();
    const auto path = folder / (m_programName + "-" + std::to_string(::getuid()) + ".lock");
    m_userFd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (!workFolder.empty())
        m_folderFd = ::open(workFolder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    m_held = lockOrDrop(m_userFd) && lockOrDrop(m_folderFd);
    if (!m_held) {
        closeIfOpen(m_userFd);
        closeIfOpen(m_folderFd);
    }
    return m_held;
}
