#include "SystemRegistry.h"

#ifdef _WIN32
#include "WindowsBackend.h"
#else
#include "PortableBackend.h"

#include <cstdlib>
#include <filesystem>
#endif

namespace registry {

#ifdef _WIN32
std::unique_ptr<Backend> systemRegistry(const std::string&) {
    return std::make_unique<WindowsBackend>();
}
#else
std::unique_ptr<Backend> systemRegistry(const std::string& programName) {
    // A relative XDG_CONFIG_HOME is invalid and is ignored, as the XDG base directories ask.
    const char* config = std::getenv("XDG_CONFIG_HOME");
    std::filesystem::path configHome;
    if (config && std::filesystem::path(config).is_absolute()) {
        configHome = config;
    } else {
        const char* home = std::getenv("HOME");
        configHome = std::filesystem::path(home ? home : ".") / ".config";
    }
    return std::make_unique<PortableBackend>(configHome, programName);
}
#endif

} // namespace registry
