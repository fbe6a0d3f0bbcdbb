// The tick fed random lines: classification and the users table. The input is split into
// datagrams at every 0xFF byte. Filters are off, so no file is written on the way.
#include "logfiles/CodePage.h"
#include "logger/LoggerHarness.h"

#include <cstdint>
#include <cstdlib>
#include <memory>

namespace {
bool sortedByUser(const UsersTable& table) {
    const auto& rows = table.rows();
    for (std::size_t i = 1; i < rows.size(); ++i)
        if (logfiles::toUpper1252(rows[i].user) < logfiles::toUpper1252(rows[i - 1].user))
            return false;
    return true;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static std::unique_ptr<LoggerHarness> h;
    if (!h || h->presenter.users().rows().size() > 2000) {
        h = std::make_unique<LoggerHarness>();
        h->dir.write("loggersettings.txt", settings::fileText({0, 0, 0, 0, 0, 0}, "4111"));
        h->presenter.loadsettings();
    }
    std::vector<std::string> batch(1);
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == 0xFF) batch.emplace_back();
        else batch.back() += static_cast<char>(data[i]);
    }
    h->receive(batch);
    h->drain();
    if (!h->presenter.cue().empty() || h->presenter.cuetotal() != 0 || h->presenter.traffic() != 0)
        std::abort();
    if (!sortedByUser(h->presenter.users())) std::abort();
    for (const auto& row : h->presenter.users().rows())
        if (row.key != logfiles::toUpper1252(row.key)) std::abort();
    if (!h->presenter.activity().text().empty()) std::abort();
    return 0;
}
