// The viewer's Windows window over a real presenter and real files, driven through its
// controls as the user's clicks and keys would drive them.
#include "Fakes.h"
#include "TempDir.h"
#include "platform/win32/WinUi.h"
#include "viewer/ViewerPresenter.h"
#include "viewer/win32/Form1.h"

#include <commctrl.h>
#include <gtest/gtest.h>

namespace {
std::string textOf(HWND control) {
    const std::wstring text = winui::windowText(control);
    return {text.begin(), text.end()}; // the labels here are ASCII
}

int selectedRow(HWND list) {
    return ListView_GetNextItem(list, -1, LVNI_SELECTED);
}
} // namespace

TEST(ViewerWindow, ListsOpensMarksAndSearchesAllFiles) {
    TempDir dir;
    std::filesystem::create_directory(dir / "logs");
    dir.write("logs/logtemp.txt", "12-05-26:09:41p:MESSAGE :[nothing here\r\n");
    dir.write("logs/log070812153046.txt", "12-05-26:09:41p:MESSAGE :[no\r\n");
    dir.write("logs/log070812153045.txt", "a Needle\r\nand a needle\r\n");
    ScriptedDialogs dialogs;
    FakeLock lock;
    EnglishDateNames names;
    Form1 form;
    ViewerPresenter presenter({form, dialogs, lock, names}, dir / "logs");
    form.attach(presenter);
    ASSERT_TRUE(presenter.start());
    form.showWindow();

    EXPECT_EQ(ListView_GetItemCount(form.ListView1), 3);
    EXPECT_EQ(selectedRow(form.ListView1), 0);
    EXPECT_EQ(textOf(form.Label1), " Messages in log file: logtemp.txt");
    EXPECT_FALSE(IsWindowEnabled(form.deletefile));

    SetWindowTextW(form.Text2, L"needle"); // as typing does: the edit tells the window
    EXPECT_EQ(textOf(form.Label3), "Not Found");
    SendMessageW(form.searchAll, BM_CLICK, 0, 0);
    EXPECT_EQ(selectedRow(form.ListView1), 2) << "the next log that holds it";
    EXPECT_EQ(textOf(form.Label1), " Messages in log file: log070812153045.txt");
    EXPECT_TRUE(IsWindowEnabled(form.deletefile));
    EXPECT_EQ(presenter.shown().marks(), (std::vector<std::size_t>{2, 16}));
    EXPECT_EQ(textOf(form.Label3), "");

    form.RichTextBox1->selectLines(0, 1);
    EXPECT_EQ(form.RichTextBox1->selectedText(), L"a Needle\r\nand a needle");
    EXPECT_TRUE(dialogs.shown.empty());
}
