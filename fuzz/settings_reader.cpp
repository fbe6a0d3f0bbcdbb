// The settings reader against any bytes: records, switch states and port texts.
#include "logger/Settings.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    for (const auto& record : settings::readRecords(text)) {
        if (record.value.empty()) std::abort(); // a record is longer than its key
        if (const auto state = settings::switchState(record.value))
            if (*state < 0 || *state > 2) std::abort();
        const auto port = settings::portText(record.value);
        if (port.empty()) std::abort();
    }
    settings::leadingNumber(text);
    return 0;
}
