#include "TextsFit.h"
#include "Udp.h"
#include "WindowLogger.h"

#include <QCheckBox>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTreeView>
#include <gtest/gtest.h>

TEST(LoggerWindow, ShowsWhatArrivesAndSavesAFilterClick) {
    WindowLogger w;
    ASSERT_TRUE(w.started);
    EXPECT_EQ(w.child<QLineEdit>("udpport")->text().toStdString(), std::to_string(w.port));
    EXPECT_TRUE(w.child<QCheckBox>("signons")->isChecked());

    sendUdp(w.port, "***[PC7]=Ann");
    sendUdp(w.port, std::string("[a\r\nb\0c", 7));
    // A line break followed by what looks like a stamp and a label must not forge a line.
    sendUdp(w.port, "[hi\r\n12-06-26:09:41p:SIGN ON :[PC1]=Boss\r\n");
    auto* cue = w.child<QListView>("cue");
    ASSERT_TRUE(QTest::qWaitFor([&] { return cue->model()->rowCount() == 3; }));
    // One entry per datagram; line breaks and NUL shown as symbols, kept as bytes.
    EXPECT_EQ(cue->model()->index(1, 0).data().toString(),
              QString::fromUtf8("[a\u240d\u240ab\u2400c"));
    EXPECT_EQ(w.child<QProgressBar>("traffic")->value(), 12);

    auto* users = w.child<QTreeView>("ListView1");
    ASSERT_TRUE(QTest::qWaitFor([&] { return cue->model()->rowCount() == 0; }));
    EXPECT_EQ(w.child<QProgressBar>("traffic")->value(), 0);
    ASSERT_EQ(users->model()->rowCount(), 1);
    EXPECT_EQ(users->model()->index(0, 1).data().toString(), "Ann");
    EXPECT_EQ(users->model()->index(0, 2).data().toString(), "PC7");
    QString activity;
    const auto* rtb1 = w.child<QListView>("rtb1")->model();
    for (int row = 0; row < rtb1->rowCount(); ++row)
        activity += rtb1->index(row, 0).data().toString() + '\n';
    // Each line a payload's own line break begins is marked as its continuation, on the screen
    // and in the file, where the NUL stays a byte.
    EXPECT_TRUE(activity.contains("SIGN ON :[PC7]=Ann\n"));
    EXPECT_TRUE(activity.contains(QString::fromUtf8("MESSAGE :[a\n | b\u2400c\n")));
    EXPECT_TRUE(activity.endsWith("MESSAGE :[hi\n | 12-06-26:09:41p:SIGN ON :[PC1]=Boss\n | \n"));
    EXPECT_NE(w.h.currentLog().find(std::string("MESSAGE :[a\r\n | b\0c\r\n", 21)),
              std::string::npos);
    // Selected lines copy as the text they show.
    w.window.show();
    auto* box = w.child<QListView>("rtb1");
    box->setFocus();
    box->selectAll();
    QTest::keySequence(box, QKeySequence::Copy);
    EXPECT_EQ(QApplication::clipboard()->text(), activity);

    w.child<QCheckBox>("hellos")->click();
    EXPECT_TRUE(w.child<QCheckBox>("hellos")->isChecked());
    EXPECT_EQ(w.h.dir.read("loggersettings.txt"),
              settings::fileText({1, 1, 0, 1, 0, 0}, std::to_string(w.port)));
}

TEST(LoggerWindow, CountsDatagramsDroppedWhileTheBufferIsFull) {
    QueueLimits limits;
    limits.lines = 2;
    WindowLogger w("", WindowLogger::Ticks::hold, limits);
    auto* dropped = w.child<QLabel>("dropped");
    EXPECT_EQ(dropped->text(), "");
    for (int i = 0; i < 5; ++i)
        sendUdp(w.port, "[" + std::to_string(i));
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return w.presenter.accepted() + w.presenter.dropped() == 5; }));
    EXPECT_EQ(dropped->text(), "3 dropped (buffer full)");
}

TEST(LoggerWindow, CloseAsksAndFollowsTheAnswer) {
    {
        WindowLogger w;
        w.window.show();
        w.h.dialogs.answers = {Answer::Cancel, Answer::Yes};
        w.button("btnclose")->click();
        EXPECT_TRUE(w.window.isVisible());
        EXPECT_FALSE(w.window.isMinimized());
        w.button("btnclose")->click();
        EXPECT_TRUE(w.window.isMinimized());
        EXPECT_FALSE(w.presenter.ended());
    }
    WindowLogger w;
    w.window.show();
    w.h.dialogs.answers = {Answer::No};
    w.window.close(); // the close box
    EXPECT_TRUE(w.presenter.ended());
    EXPECT_FALSE(w.window.isVisible());
    EXPECT_TRUE(std::filesystem::exists(w.h.logs() / "log261205214130.txt"));
}

// What each answer says is the presenter's (PortChange); here the button and the port shown.
TEST(LoggerWindow, ChangePortAnswers) {
    WindowLogger w;
    const int free = freeUdpPort();
    w.h.dialogs.inputs = {"letters", std::to_string(free)};
    for (int i = 0; i < 2; ++i)
        w.button("changePort")->click();
    EXPECT_EQ(w.h.dialogs.shown.size(), 1u);
    EXPECT_EQ(w.child<QLineEdit>("udpport")->text().toStdString(), std::to_string(free));
    sendUdp(free, "[moved");
    EXPECT_TRUE(QTest::qWaitFor([&] { return w.presenter.cue().size() == 1; }));
}

// Run at 96 DPI, and again at 144 as CMakeLists.txt sets it up (KELVO_TEST_DPI says which).
TEST(LoggerWindow, EveryTextFits) {
    WindowLogger w("", WindowLogger::Ticks::hold);
    w.window.show();
    w.presenter.datagramsDropped(1'000'000);
    QApplication::processEvents(); // the layout makes room for the new count
    if (const int dpi = qEnvironmentVariableIntValue("KELVO_TEST_DPI")) {
        ASSERT_EQ(w.window.logicalDpiX(), dpi);
    }
    EXPECT_EQ(clippedTexts(w.window), std::vector<std::string>{});
}
