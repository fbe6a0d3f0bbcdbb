// One tick of the queue timer with 10,000 users online and an activity text close to its
// 10,000-character limit: lookup, add or remove, sort, append and the file write included.
#include "Stats.h"
#include "logger/LoggerHarness.h"

int main() {
    LoggerHarness h;
    h.startLoggingAll();
    const auto user = [](int i) {
        return "[PC" + std::to_string(i) + "]=User" + std::to_string(i * 7919 % 10000);
    };
    // Ticks come 120 ms apart: a second later each, an archive of this second never holds up
    // a rollover that is due.
    const auto drain = [&] {
        while (h.timer.enabled) {
            h.clock.time = nextSecond(h.clock.time);
            h.presenter.tick();
        }
    };
    for (int i = 0; i < 10000; ++i)
        h.receive({"**-" + user(i)});
    drain();
    if (h.presenter.users().rows().size() != 10000) return std::puts("setup failed"), 1;
    // Fill the text to just under the limit without rolling over.
    while (h.presenter.activity().text().size() < 9900)
        h.receive({"[filler"}), drain();

    Stats ticks;
    std::size_t rollovers = 0;
    for (int i = 0; i < 3000; ++i) {
        // A user leaves and another comes, so the table stays at 10,000 and every tick
        // changes it; every line is logged.
        h.receive({i % 2 ? "-**" + user(i / 2) : "***" + user(10000 + i / 2)});
        const auto before = h.presenter.activity().text().size();
        h.clock.time = nextSecond(h.clock.time);
        ticks.time([&] { h.presenter.tick(); });
        rollovers += h.presenter.activity().text().size() < before;
    }
    std::printf("users online: %zu, rollovers during the run: %zu\n",
                h.presenter.users().rows().size(), rollovers);
    ticks.print("one tick, 10,000 users, text near 10,000 characters");
    std::printf("target: median under 2 ms: %s\n", ticks.percentile(0.5) < 2.0 ? "met" : "NOT met");
}
