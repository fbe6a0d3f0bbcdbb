// The log file reader against any file: what it shows is the file's own bytes, ending with
// CR LF, and splits back into lines that rejoin to it.
#include "logfiles/TextFile.h"

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const auto path =
        std::filesystem::temp_directory_path() / ("kelvo-fuzz-" + std::to_string(::getpid()) + ".txt");
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    std::string text;
    if (logfiles::readText(path, text)) std::abort();
    if (!text.starts_with(bytes)) std::abort();
    if (!bytes.empty() && !text.ends_with("\r\n")) std::abort();
    if (text.size() - bytes.size() > 2) std::abort();
    std::string joined;
    for (auto line : logfiles::splitLines(text)) {
        joined += line;
        joined += "\r\n";
    }
    if (joined != text) std::abort();
    return 0;
}
