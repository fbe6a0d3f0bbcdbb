// The portable registry's store against any file: a damaged one is refused, and one that
// loads saves and loads again to the same bytes. The same input read as a start-at-logon
// entry must, when accepted, write back to an entry that reads the same value.
#include "logger/registry/DesktopEntry.h"
#include "logger/registry/Hive.h"

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <unistd.h>

namespace {
std::filesystem::path scratch(const char* name) {
    return std::filesystem::temp_directory_path() /
           ("kelvo-fuzz-" + std::to_string(::getpid()) + "-" + name);
}

std::string bytesOf(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const auto input = scratch("hive"), saved = scratch("saved");
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::ofstream(input, std::ios::binary | std::ios::trunc)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    registry::Hive hive;
    if (registry::Hive::load(input, hive) == 0) {
        if (hive.save(saved) != 0) std::abort();
        registry::Hive again;
        if (registry::Hive::load(saved, again) != 0) std::abort();
        const std::string first = bytesOf(saved);
        if (again.save(saved) != 0 || bytesOf(saved) != first) std::abort();
    }

    registry::desktop::RunValue value;
    if (registry::desktop::parseEntry(bytes, value)) {
        registry::desktop::RunValue back;
        if (!registry::desktop::parseEntry(registry::desktop::entryText(value, value.data), back))
            std::abort();
        if (back.name != value.name || back.type != value.type || back.data != value.data)
            std::abort();
    }
    return 0;
}
