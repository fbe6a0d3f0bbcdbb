// How long one write of a 10 KB log file takes, with the atomic replace and the flush to disk,
// against a plain overwrite of the same file (no flush, no rename) as the reference.
#include "Stats.h"
#include "TempDir.h"
#include "logfiles/TextFile.h"

#include <fstream>

int main() {
    TempDir dir;
    const std::string text(10 * 1024, 'x');
    const auto path = dir / "logtemp.txt";
    Stats atomic, plain;
    for (int i = 0; i < 2000; ++i) {
        atomic.time([&] {
            if (logfiles::writeAtomically(path, text)) std::abort();
        });
        plain.time([&] { std::ofstream(path, std::ios::binary | std::ios::trunc) << text; });
    }
    atomic.print("10 KB log file, atomic replace with flush to disk");
    plain.print("10 KB log file, plain overwrite without flush (reference)");
    std::printf("ratio of medians: %.1f\n", atomic.percentile(0.5) / plain.percentile(0.5));
    std::printf("target: median under 0.5 ms: %s\n",
                atomic.percentile(0.5) < 0.5 ? "met" : "NOT met");
}
