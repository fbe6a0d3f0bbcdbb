#include "TextsFit.h"
#include "ViewerFixture.h"
#include "viewer/window/Form1.h"
#include "viewer/window/LogTextView.h"

#include <QClipboard>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTreeView>

// The real window over the real presenter; only the message boxes answer from a script.
class WindowTest : public ViewerTest {
protected:
    Form1 form;

    void startWindow() {
        viewer = std::make_unique<ViewerPresenter>(ViewerPorts{form, dialogs, lock, names}, logs);
        form.attach(*viewer);
        viewer->start();
        form.show();
    }
    void clickRow(int row) {
        const QRect r = form.ListView1->visualRect(form.ListView1->model()->index(row, 2));
        ASSERT_TRUE(r.isValid());
        QTest::mouseClick(form.ListView1->viewport(), Qt::LeftButton, {}, r.center());
    }
    int selectedRowOnScreen() const {
        const auto rows = form.ListView1->selectionModel()->selectedRows();
        return rows.isEmpty() ? -1 : rows.front().row();
    }
};

TEST_F(WindowTest, ClickTypeSearchAllAndDelete) {
    write("log070812153047.txt", "first\r\n");
    write("log070812153046.txt", "middle NEEDLE and needle\r\n");
    write("log070812153045.txt", "last\r\n");
    startWindow();
    EXPECT_EQ(form.ListView1->model()->index(0, 3).data().toString(), "03:30 pm");

    QTest::keyClick(form.ListView1, Qt::Key_Down); // moves the selection, opens nothing
    EXPECT_EQ(selectedRowOnScreen(), 1);
    EXPECT_EQ(form.Label1->text(), " Messages in log file: log070812153047.txt");

    clickRow(2);
    EXPECT_EQ(form.Label1->text(), " Messages in log file: log070812153045.txt");
    EXPECT_TRUE(form.deletefile->isEnabled());

    QTest::keyClicks(form.Text2, "needle");
    EXPECT_EQ(form.Label3->text(), "Not Found");
    form.Text2->selectAll();
    QTest::keyClick(form.Text2, Qt::Key_Backspace);
    EXPECT_EQ(form.Label3->text(), "");
    QTest::keyClicks(form.Text2, "NeEdLe");

    clickRow(0);
    QTest::mouseClick(form.searchAll, Qt::LeftButton);
    EXPECT_EQ(selectedRowOnScreen(), 1);
    EXPECT_EQ(form.Label1->text(), " Messages in log file: log070812153046.txt");
    EXPECT_EQ(viewer->shown().marks(), (std::vector<std::size_t>{7, 18}));
    EXPECT_TRUE(form.ListView1->isVisible() && form.RichTextBox1->isVisible());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    dialogs.answers = {Answer::Yes};
    QTest::mouseClick(form.deletefile, Qt::LeftButton);
    EXPECT_FALSE(std::filesystem::exists(logs / "log070812153046.txt"));
    EXPECT_EQ(form.ListView1->model()->rowCount(), 2);
    EXPECT_EQ(selectedRowOnScreen(), -1);
    EXPECT_FALSE(form.deletefile->isEnabled());

    QTest::mouseClick(form.closeout, Qt::LeftButton);
    EXPECT_TRUE(viewer->ended());
    EXPECT_FALSE(form.isVisible());
}

TEST_F(WindowTest, GrowingTheWindowGrowsListAndTextAndHidesNothing) {
    startWindow();
    const QRect list = form.ListView1->geometry(), text = form.RichTextBox1->geometry();
    form.resize(form.minimumSize() + QSize(300, 200));
    EXPECT_EQ(form.ListView1->height(), list.height() + 200);
    EXPECT_EQ(form.RichTextBox1->size(), text.size() + QSize(300, 200));
    for (QWidget* w : form.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        EXPECT_TRUE(w->isWindow() || form.rect().contains(w->geometry()))
            << w->metaObject()->className();
    for (QWidget* w : form.Frame1->findChildren<QWidget*>())
        EXPECT_TRUE(form.Frame1->rect().contains(w->geometry()));
}

TEST_F(WindowTest, PickedLinesGoToTheClipboardAndALongBinaryLinePaintsMarked) {
    write("log070812153045.txt", "one\r\ntwo\xE9\r\nthree\r\n");
    std::string binary(5 << 20, '\0');
    for (std::size_t i = 0; i < binary.size(); i += 4096)
        binary.replace(i, 6, "needle");
    write("binary.txt", binary);
    startWindow();

    QTest::mouseClick(form.RichTextBox1->viewport(), Qt::LeftButton, {}, QPoint(5, 2));
    QTest::mouseClick(form.RichTextBox1->viewport(), Qt::LeftButton, Qt::ShiftModifier,
                      QPoint(5, 2 + form.RichTextBox1->fontMetrics().lineSpacing()));
    QTest::keyClick(form.RichTextBox1, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QString::fromUtf8("one\ntwo\xC3\xA9"));
    QTest::keyClick(form.RichTextBox1, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(form.RichTextBox1->selectedText(), QString::fromUtf8("one\ntwo\xC3\xA9\nthree"));

    clickRow(1);
    QTest::keyClicks(form.Text2, "NEEDLE");
    EXPECT_EQ(viewer->shown().marks().size(), 1280u);
    auto* across = form.RichTextBox1->horizontalScrollBar();
    across->setValue(across->maximum());
    EXPECT_GT(across->value(), 0);
    EXPECT_FALSE(form.grab().isNull());
}

// Run at 96 DPI, and again at 144 as CMakeLists.txt sets it up (KELVO_TEST_DPI says which),
// with the longest texts the labels take.
TEST_F(WindowTest, EveryTextFits) {
    write("log070812153045.txt", "haystack\r\n");
    startWindow();
    if (const int dpi = qEnvironmentVariableIntValue("KELVO_TEST_DPI")) {
        ASSERT_EQ(form.logicalDpiX(), dpi);
    }
    QTest::keyClicks(form.Text2, "needle");
    ASSERT_EQ(form.Label3->text(), "Not Found");
    EXPECT_EQ(clippedTexts(form), std::vector<std::string>{});
    QTest::mouseClick(form.searchAll, Qt::LeftButton);
    ASSERT_EQ(form.Label3->text(), "Not Found ");
    ASSERT_EQ(form.Label1->text(), " Messages in log file: log070812153045.txt");
    EXPECT_EQ(clippedTexts(form), std::vector<std::string>{});
}
