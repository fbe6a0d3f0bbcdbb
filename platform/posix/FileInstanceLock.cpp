#include "FileInstanceLock.h"

#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <sys/file.h>
#include <unistd.h>

FileInstanceLock::FileInstanceLock(std::string programName)
    : m_programName(std::move(programName)) {}

FileInstanceLock::~FileInstanceLock() {
    if (m_fd >= 0) ::close(m_fd);
}

bool FileInstanceLock::acquire() {
    if (m_fd >= 0) return true;
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    const std::filesystem::path folder = runtime && *runtime
                                             ? std::filesystem::path(runtime)
                                             : std::filesystem::temp_directory_path();
    const auto path = folder / (m_programName + "-" + std::to_string(::getuid()) + ".lock");
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    // A lock that cannot even be created must not keep the user from logging.
    if (fd < 0) return true;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return false;
    }
    m_fd = fd;
    return true;
}
