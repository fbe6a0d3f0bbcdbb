// Times the viewer through its real window on the offscreen platform and prints the figures:
// a keystroke in the search box, opening a large log, building a large list, and "Search All
// files" against grep -ril over the same files.
#include "BenchLogs.h"
#include "TempDir.h"
#include "platform/DateNames.h"
#include "viewer/ViewerPresenter.h"
#include "viewer/window/Form1.h"
#include "viewer/window/LogTextView.h"

#include <QApplication>
#include <QLineEdit>
#include <QTreeView>
#include <cstdio>
#include <cstdlib>

using namespace bench;

namespace {
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
        dir.write("logs/" + bench::archiveName(i), log);
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
