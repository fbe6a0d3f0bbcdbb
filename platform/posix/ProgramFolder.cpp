#include "ProgramFolder.h"

std::filesystem::path runningProgramFolder(const char* argv0) {
    std::error_code ec;
    auto program = std::filesystem::read_symlink("/proc/self/exe", ec);
    // Without /proc (a chroot, another system) the command line is all there is.
    if (ec) program = std::filesystem::weakly_canonical(argv0, ec);
    return program.parent_path();
}
