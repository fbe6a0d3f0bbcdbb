// Times the viewer through its real window on the offscreen platform and prints the figures:
// a keystroke in the search box, opening a large log, building a large list, and "Search All
// files" against grep -ril over the same files.
#include "TempDir.h"
#include "platform/DateNames.h"
#include "viewer/ViewerPresenter.h"
#include "viewer/window/Form1.h"
#include "viewer/window/LogTextView.h"

#include <QApplication>
#include <QLineEdit>
#include <QTreeView>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

namespace {
struct NoDialogs : Dialogs {
    Answer message(std::string_view, Buttons, Icon, std::string_view) override {
        return Answer::Ok;
    }
    std::optional<std::string> input(std::string_view, std::string_view,
                                     std::string_view) override {
        return std::nullopt;
    }
};
struct FreeLock : InstanceLock {
    bool acquire(const std::filesystem::path&) override { return true; }
};

// `bytes` of log lines of the logger's shape, all of one length, spreading `marks` lines that
// hold the word "needle" evenly over the log.
std::string makeLog(std::size_t bytes, std::size_t marks) {
    const auto line = [](std::size_t i, bool needle) {
        char text[80];
        std::snprintf(text, sizeof text, "12-05-26:09:41p:MESSAGE :[PC%02zu]=Ann: %s\r\n", i % 97,
                      needle ? "the Needle again" : "lunch at noon...");
        return std::string(text);
    };
    const std::size_t lines = bytes / line(0, false).size();
    std::string log;
    log.reserve(bytes);
    for (std::size_t i = 0; i < lines; ++i)
        log += line(i, i * marks / lines != (i + 1) * marks / lines);
    return log;
}

double millisecondsOf(const std::function<void()>& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

double median(int runs, const std::function<void()>& work) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i)
        times.push_back(millisecondsOf(work));
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

struct Window {
    NoDialogs dialogs;
    FreeLock lock;
    EnglishDateNames names;
    Form1 form;
    ViewerPresenter presenter;
    explicit Window(const std::filesystem::path& logs)
        : presenter({form, dialogs, lock, names}, logs) {
        form.attach(presenter);
        presenter.start();
        form.show();
    }
    void paint() {
        QCoreApplication::processEvents();
        form.RichTextBox1->viewport()->repaint();
        form.ListView1->viewport()->repaint();
    }
};

void keystroke(const char* label, std::size_t bytes, std::size_t every) {
    TempDir dir;
    std::filesystem::create_directory(dir / "logs");
    dir.write("logs/log070812153045.txt", makeLog(bytes, every));
    Window w(dir / "logs");
    w.form.Text2->setText("needle");
    const std::size_t marks = w.presenter.shown().marks().size();
    int i = 0;
    const double ms = median(41, [&] {
        // Alternating one letter more and one less, as typing and backspace do.
        w.form.Text2->setText(++i % 2 ? "needl" : "needle");
        w.paint();
    });
    std::printf("keystroke, %s log (%zu bytes, %zu marks): median %.2f ms\n", label,
                w.presenter.shown().text().size(), marks, ms);
}

void openLarge() {
    TempDir dir;
    std::filesystem::create_directory(dir / "logs");
    dir.write("logs/log070812153045.txt", makeLog(10u << 20, 10000));
    dir.write("logs/log070812153046.txt", "small\r\n");
    Window w(dir / "logs");
    const double ms = median(9, [&] {
        w.presenter.selectRow(1);
        w.presenter.openSelected();
        w.paint();
    });
    std::printf("open a 10 MB log to the text shown: median %.1f ms\n", ms);
}

void listAndSearchAll() {
    TempDir dir;
    std::filesystem::create_directory(dir / "logs");
    const std::string log = makeLog(10 << 10, 0);
    for (int i = 0; i < 10000; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "logs/log07%02d%02d%02d%02d%02d.txt", 1 + i / 5000 % 12,
                      1 + i / 200 % 25, i / 60 % 24, i % 60, i * 7 % 60);
        dir.write(name, log);
    }
    Window w(dir / "logs");
    const double list = median(9, [&] {
        w.presenter.refresh();
        w.paint();
    });
    std::printf("build the list of %zu logs: median %.1f ms\n", w.presenter.rows().size(), list);

    w.form.Text2->setText("needle");
    const std::string grep = "grep -ril needle " + (dir / "logs").string() + " > /dev/null";
    if (std::system(grep.c_str()) == -1) return; // warms the cache
    const double ours = median(7, [&] {
        w.presenter.searchAllFiles();
        w.paint();
    });
    const double theirs = median(7, [&] { (void)std::system(grep.c_str()); });
    std::printf("search all of 10,000 logs of 10 KB, no hit: median %.1f ms (notice \"%s\"); "
                "grep -ril: median %.1f ms; ratio %.2f\n",
                ours, w.presenter.label3().c_str(), theirs, ours / theirs);
}
} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    keystroke("1 MB", 1u << 20, 10000);
    keystroke("10 MB", 10u << 20, 10000);
    keystroke("10 MB", 10u << 20, 100000);
    openLarge();
    listAndSearchAll();
    return 0;
}
