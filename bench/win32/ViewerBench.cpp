// Times the viewer through its real Windows window (under Wine here) and prints the figures:
// a keystroke in the search box, opening a large log, building a large list, and "Search All
// files" over 10,000 logs, which viewer_bench.sh sets against grep -ril on the same files.
// Usage: win32_viewer_bench FOLDER   (the 10,000 logs are left in FOLDER\logs)
#include "BenchLogs.h"
#include "TempDir.h"
#include "viewer/LogFolder.h"
#include "viewer/ViewerPresenter.h"
#include "viewer/win32/Form1.h"

#include <cstdio>
#include <fstream>

using namespace bench;

namespace {
void write(const std::filesystem::path& file, const std::string& bytes) {
    std::ofstream(file, std::ios::binary) << bytes;
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
        ShowWindow(form.handle(), SW_SHOWNORMAL);
        paint();
    }
    // Paints now what the last event changed, as the message loop would next.
    void paint() {
        UpdateWindow(form.handle());
        UpdateWindow(form.RichTextBox1->handle());
        UpdateWindow(form.ListView1);
    }
};

void keystroke(std::size_t bytes, std::size_t marks) {
    TempDir dir;
    std::filesystem::create_directory(dir / "logs");
    write(dir / "logs/log070812153045.txt", makeLog(bytes, marks));
    Window w(dir / "logs");
    SetWindowTextW(w.form.Text2, L"needle");
    const std::size_t found = w.presenter.shown().marks().size();
    int i = 0;
    const double ms = median(41, [&] {
        // Alternating one letter more and one less, as typing and backspace do.
        SetWindowTextW(w.form.Text2, ++i % 2 ? L"needl" : L"needle");
        w.paint();
    });
    const double marking =
        median(41, [&] { w.presenter.changeSearchText(++i % 2 ? "needl" : "needle"); });
    const double repaint = median(41, [&] {
        InvalidateRect(w.form.RichTextBox1->handle(), nullptr, TRUE);
        w.paint();
    });
    std::printf("keystroke, %zu byte log with %zu marks: median %.2f ms (target 60 ms), of which "
                "the presenter's marking %.2f ms and repainting the text %.2f ms\n",
                w.presenter.shown().text().size(), found, ms, marking, repaint);
}

void openLarge() {
    TempDir dir;
    std::filesystem::create_directory(dir / "logs");
    write(dir / "logs/log070812153045.txt", makeLog(10u << 20, 10000));
    write(dir / "logs/log070812153046.txt", "small\r\n");
    Window w(dir / "logs");
    const double ms = median(9, [&] {
        w.presenter.selectRow(1);
        w.presenter.openSelected();
        w.paint();
    });
    std::printf("open a 10 MB log to the text shown: median %.1f ms (target 300 ms)\n", ms);
}

void listAndSearchAll(const std::filesystem::path& folder) {
    std::filesystem::create_directories(folder / "logs");
    const std::string log = makeLog(10 << 10, 0);
    for (int i = 0; i < 10000; ++i)
        write(folder / "logs" / archiveName(i), log);
    Window w(folder / "logs");
    const double list = median(9, [&] {
        w.presenter.refresh();
        w.paint();
    });
    std::vector<std::string> names;
    const double listing = median(9, [&] { viewer::listLogNames(folder / "logs", names); });
    std::printf("build the list of %zu logs: median %.1f ms (target 200 ms), of which listing the "
                "folder %.1f ms\n",
                w.presenter.rows().size(), list, listing);
    SetWindowTextW(w.form.Text2, L"needle");
    const double ours = median(7, [&] {
        SendMessageW(w.form.searchAll, BM_CLICK, 0, 0);
        w.paint();
    });
    std::string text;
    const double reading = median(7, [&] {
        for (const auto& row : w.presenter.rows())
            (void)viewer::readLog(row.path, text);
    });
    std::printf("search all of 10,000 logs of 10 KB, no hit: median %.1f ms (notice \"%s\"), of "
                "which reading the logs %.1f ms\n",
                ours, w.presenter.label3().c_str(), reading);
}
} // namespace

int main(int argc, char** argv) {
    if (argc != 2) return std::fputs("usage: win32_viewer_bench FOLDER\n", stderr), 2;
    keystroke(10u << 20, 100000);
    openLarge();
    listAndSearchAll(argv[1]);
    return 0;
}
