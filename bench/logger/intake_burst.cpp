// A burst of 200,000 numbered 60-byte datagrams from one sender on 127.0.0.1 into the logger
// with its real window (offscreen), socket and presenter. The queue timer is held still, so
// every accepted datagram must be in the queue at the end, in order. Five runs, each in a
// fresh process so that memory freed by one run does not hide the next one's growth.
#include "window/WindowLogger.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QTest>
#include <cstdio>
#include <fstream>
#include <sstream>

namespace {
constexpr int kDatagrams = 200000;

long rcvbufErrors() {
    std::ifstream snmp("/proc/net/snmp");
    std::string header, values;
    while (std::getline(snmp, header) && std::getline(snmp, values)) {
        if (!header.starts_with("Udp:")) continue;
        std::istringstream names(header), numbers(values);
        std::string name, value;
        while (names >> name && numbers >> value)
            if (name == "RcvbufErrors") return std::stol(value);
    }
    return -1;
}

long rssBytes() {
    std::ifstream statm("/proc/self/statm");
    long pages = 0, resident = 0;
    statm >> pages >> resident;
    return resident * 4096;
}

bool inOrder(const std::deque<std::string>& cue) {
    for (std::size_t i = 0; i < cue.size(); ++i)
        if (!cue[i].starts_with("[" + std::to_string(i) + ".")) return false;
    return true;
}

bool run(int round, const QString& sender) {
    WindowLogger w("", WindowLogger::Ticks::hold);
    w.window.show();
    QTest::qWait(200); // let the window settle before the empty logger is measured
    const long rss0 = rssBytes(), errors0 = rcvbufErrors();

    QProcess send;
    QElapsedTimer clock;
    clock.start();
    send.start(sender, {"--port", QString::number(w.port), "burst", QString::number(kDatagrams),
                        "--size", "60"});
    const auto& cue = w.presenter.cue();
    // Done when all are in, or when nothing more arrives for two seconds after the sender ended.
    std::size_t last = 0;
    qint64 lastChange = 0;
    (void)QTest::qWaitFor(
        [&] {
            if (cue.size() != last) last = cue.size(), lastChange = clock.elapsed();
            return cue.size() == kDatagrams ||
                   (send.state() == QProcess::NotRunning && clock.elapsed() - lastChange > 2000);
        },
        120000);
    const double seconds = static_cast<double>(lastChange) / 1000.0;
    send.waitForFinished();
    const long errors = rcvbufErrors() - errors0;
    const double perLine = static_cast<double>(rssBytes() - rss0) / static_cast<double>(cue.size());
    const bool ordered = inOrder(cue);
    std::printf("run %d: sent %d, queued %zu, lost %zu, in order %s, intake %.0f per second, "
                "receive-buffer errors %ld, memory %.0f bytes per queued line\n",
                round, kDatagrams, cue.size(), kDatagrams - cue.size(), ordered ? "yes" : "NO",
                static_cast<double>(cue.size()) / seconds, errors, perLine);
    std::printf("        sender: %s", send.readAllStandardOutput().constData());
    return cue.size() == kDatagrams && ordered && errors == 0 && perLine < 200;
}
} // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() == 3 && args[1] == "--run") {
        std::setvbuf(stdout, nullptr, _IOLBF, 0);
        return run(args[2].toInt(), QCoreApplication::applicationDirPath() + "/kelvosend") ? 0 : 1;
    }
    int passed = 0;
    for (int round = 1; round <= 5; ++round) {
        QProcess one;
        one.setProcessChannelMode(QProcess::ForwardedOutputChannel);
        one.start(QCoreApplication::applicationFilePath(), {"--run", QString::number(round)});
        one.waitForFinished(300000);
        passed += one.exitStatus() == QProcess::NormalExit && one.exitCode() == 0;
    }
    std::printf("%d of 5 runs: all datagrams queued in order, no receive-buffer error, "
                "under 200 bytes a line\n",
                passed);
    return passed == 5 ? 0 : 1;
}
