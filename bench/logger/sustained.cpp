// 20,000 numbered 60-byte datagrams a second for 30 seconds into the logger with its real
// window (offscreen), socket, timer, clock and presenter. Measures how long after its arrival
// each line is on disk, the memory, the longest event handler on the window's thread and how
// far archive names run ahead of the clock; checks every line is on disk once and in order.
// KELVO_SLOW_HANDLERS=1 lists every handler over 50 ms.
#include "Stats.h"
#include "Udp.h"
#include "logfiles/LogNames.h"
#include "logfiles/TextFile.h"
#include "logger/LoggerHarness.h"
#include "logger/window/Form1.h"
#include "platform/posix/PosixUdpSocket.h"
#include "platform/posix/SystemClock.h"
#include "platform/qt/QtTimer.h"

#include <QApplication>
#include <QProcess>
#include <QTest>
#include <QTimer>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <sys/stat.h>

namespace {
using Steady = std::chrono::steady_clock;
constexpr long kRate = 20000;
constexpr long kSeconds = 30;
constexpr long kLines = kRate * kSeconds;

// Times every event the window's thread handles; events sent from inside a handler count as
// part of it.
class TimedApplication : public QApplication {
public:
    using QApplication::QApplication;
    double longestMs = 0;
    long handlers = 0, over50 = 0;
    bool notify(QObject* receiver, QEvent* event) override {
        if (m_depth > 0) return QApplication::notify(receiver, event);
        ++m_depth;
        const auto t0 = Steady::now();
        const bool result = QApplication::notify(receiver, event);
        const double ms = std::chrono::duration<double, std::milli>(Steady::now() - t0).count();
        longestMs = std::max(longestMs, ms);
        ++handlers;
        over50 += ms > 50 ? 1 : 0;
        if (ms > 50 && std::getenv("KELVO_SLOW_HANDLERS"))
            std::fprintf(stderr, "slow %.1f ms: event %d to %s\n", ms, int(event->type()),
                         receiver->metaObject()->className());
        --m_depth;
        return result;
    }

private:
    int m_depth = 0;
};

long rssKiB() {
    std::ifstream statm("/proc/self/statm");
    long pages = 0, resident = 0;
    statm >> pages >> resident;
    return resident * 4;
}

// The number of the newest line in the current log, -1 when it holds none.
long newestLineOnDisk(const std::filesystem::path& logtemp) {
    std::ifstream f(logtemp, std::ios::binary | std::ios::ate);
    const auto size = static_cast<long>(f.tellg());
    f.seekg(std::max(0L, size - 200));
    std::string tail(static_cast<std::size_t>(std::min(size, 200L)), '\0');
    f.read(tail.data(), static_cast<std::streamsize>(tail.size()));
    const auto at = tail.rfind("MESSAGE :[");
    return at == std::string::npos ? -1 : std::atol(tail.c_str() + at + 10);
}

std::time_t secondsOf(const LocalTime& t) {
    std::tm tm{};
    tm.tm_year = t.year - 1900, tm.tm_mon = t.month - 1, tm.tm_mday = t.day;
    tm.tm_hour = t.hour, tm.tm_min = t.minute, tm.tm_sec = t.second, tm.tm_isdst = -1;
    return std::mktime(&tm);
}
} // namespace

// The real window, socket, timer and clock on the presenter; boxes, lock and start at logon
// are the test harness's.
struct Logger {
    Logger() {
        h.dir.write("loggersettings.txt", "[FILTERMESSAGES      ]=1\r\n[UDPPORT             ]=" +
                                              std::to_string(port) + "\r\n");
        window.attach(presenter);
        started = presenter.start({});
    }
    ~Logger() { window.detach(); }

    LoggerHarness h;
    int port = freeUdpPort();
    Form1 window;
    SystemClock clock;
    PosixUdpSocket socket{presenter, [](std::function<void()> f) {
                              QMetaObject::invokeMethod(qApp, std::move(f), Qt::QueuedConnection);
                          }};
    std::function<void()> afterTick;
    QtTimer timer{LoggerPresenter::kTickMs, [this] {
                      presenter.tick();
                      afterTick();
                  }};
    LoggerPresenter presenter{
        {window, h.dialogs, socket, timer, clock, h.lock, h.launcher, h.autoStart}, h.dir.path()};
    bool started = false;
};

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    TimedApplication app(argc, argv);
    Logger w;
    if (!w.started) return std::puts("the logger did not start"), 1;
    w.window.show();
    QTest::qWait(300);
    const auto logs = w.h.logs();

    // A line is due on disk 2 s after it was scheduled to be sent, which is no later than it
    // arrived: the sender keeps to its schedule or falls behind it.
    const auto t0 = Steady::now();
    const auto scheduled = [&](long line) {
        return t0 + std::chrono::microseconds(line * 1'000'000 / kRate);
    };
    double worstLagMs = 0;
    long handled = 0, diskMismatches = 0, ticksTaking = 0;
    w.afterTick = [&] {
        const long now = static_cast<long>(w.presenter.accepted() - w.presenter.cue().size());
        if (now == handled) return;
        ++ticksTaking;
        worstLagMs = std::max(
            worstLagMs,
            std::chrono::duration<double, std::milli>(Steady::now() - scheduled(handled)).count());
        handled = now;
        // The tick's last line must be on disk now (unless it just rolled the text over).
        const long newest = newestLineOnDisk(logs / "logtemp.txt");
        if (newest != -1 && newest != handled - 1) ++diskMismatches;
    };
    std::vector<long> rss;
    QTimer sampler;
    QObject::connect(&sampler, &QTimer::timeout, [&] { rss.push_back(rssKiB()); });
    sampler.start(1000);
    app.longestMs = 0, app.handlers = 0, app.over50 = 0;

    QProcess send;
    send.start(QCoreApplication::applicationDirPath() + "/kelvosend",
               {"--port", QString::number(w.port), "burst", QString::number(kLines), "--size", "60",
                "--rate", QString::number(kRate)});
    (void)QTest::qWaitFor([&] { return handled == kLines; }, (kSeconds + 30) * 1000);
    sampler.stop();
    send.waitForFinished();
    const double longest = app.longestMs;

    // Every line in exactly one file and in order: the archives by name, then the current log.
    long lines = 0, outOfOrder = 0, last = -1;
    std::vector<bool> seen(kLines, false);
    long duplicated = 0, aheadMax = -100;
    std::size_t archives = 0;
    std::vector<std::string> names = fileNames(logs);
    std::erase(names, "logtemp.txt");
    names.push_back("logtemp.txt");
    for (const auto& name : names) {
        std::string text;
        (void)logfiles::readText(logs / name, text);
        for (const auto line : logfiles::splitLines(text)) {
            const auto at = line.find("MESSAGE :[");
            if (at == std::string_view::npos) continue;
            const long n = std::atol(std::string(line.substr(at + 10, 12)).c_str());
            ++lines;
            if (n < last) ++outOfOrder;
            last = n;
            if (n < 0 || n >= kLines) continue;
            auto mark = seen[static_cast<std::size_t>(n)];
            duplicated += mark ? 1 : 0;
            mark = true;
        }
        if (const auto named = logfiles::archiveTime(name)) {
            ++archives;
            struct stat st {};
            ::stat((logs / name).c_str(), &st);
            aheadMax = std::max(aheadMax, static_cast<long>(secondsOf(*named) - st.st_mtime));
        }
    }
    const long lost = kLines - static_cast<long>(std::count(seen.begin(), seen.end(), true));
    const std::size_t third = rss.size() / 3;
    const long rssStart = rss.empty() ? 0 : rss[third], rssEnd = rss.empty() ? 0 : rss.back();
    std::printf("%ld lines a second for %ld s: sender %s", kRate, kSeconds,
                send.readAllStandardOutput().constData());
    std::printf("lines on disk %ld: lost %ld, duplicated %ld, out of order %ld; ticks that took "
                "lines %ld, last line of a tick not on disk at its end %ld\n",
                lines, lost, duplicated, outOfOrder, ticksTaking, diskMismatches);
    std::printf("longest wait from arrival to disk: %.0f ms (target under 2000)\n", worstLagMs);
    std::printf("longest event handler on the window's thread: %.1f ms (target under 50); %ld of "
                "%ld handlers over 50 ms\n",
                longest, app.over50, app.handlers);
    std::printf("memory (RSS) at %zu s: %ld KiB, at the end: %ld KiB (%+.1f%%)\n", third + 1,
                rssStart, rssEnd,
                rssStart
                    ? 100.0 * static_cast<double>(rssEnd - rssStart) / static_cast<double>(rssStart)
                    : 0.0);
    std::printf(
        "archives: %zu, furthest a name runs ahead of its writing: %ld s (target at most 1)\n",
        archives, aheadMax);
    const bool met = lost == 0 && duplicated == 0 && outOfOrder == 0 && diskMismatches == 0 &&
                     worstLagMs < 2000 && longest < 50 && aheadMax <= 1 &&
                     rssEnd < rssStart + rssStart / 10;
    std::printf("targets: %s\n", met ? "met" : "NOT met");
    return met ? 0 : 1;
}
