#include "TempDir.h"

#include <QDeadlineTimer>
#include <QProcess>
#include <QThread>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <unistd.h>

// The built program, run from a folder of its own. Its message boxes go to a transcript file
// (the test hook of main.cpp), since no script can press a real process's message box.
class EndToEnd : public ::testing::Test {
protected:
    TempDir dir;

    void SetUp() override {
        std::filesystem::copy_file(VIEWER_PROGRAM, dir / "kelvologviewer");
        std::filesystem::create_directory(dir / "run");
        std::filesystem::permissions(dir / "run", std::filesystem::perms::owner_all);
    }
    std::unique_ptr<QProcess> launch() {
        auto p = std::make_unique<QProcess>();
        auto env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("XDG_RUNTIME_DIR", QString::fromStdString((dir / "run").string()));
        env.insert("KELVOLOGVIEWER_DIALOG_TRANSCRIPT",
                   QString::fromStdString((dir / "transcript").string()));
        p->setProcessEnvironment(env);
        p->start(QString::fromStdString((dir / "kelvologviewer").string()), {});
        EXPECT_TRUE(p->waitForStarted(20000));
        return p;
    }
    bool lockTaken() const {
        const auto path = dir / "run" / ("kelvologviewer-" + std::to_string(::getuid()) + ".lock");
        const int fd = ::open(path.c_str(), O_RDWR);
        if (fd < 0) return false;
        const bool taken = ::flock(fd, LOCK_EX | LOCK_NB) != 0;
        ::close(fd);
        return taken;
    }
};

TEST_F(EndToEnd, SecondStartIsRefusedWhileTheFirstRuns) {
    std::filesystem::create_directory(dir / "logs");
    dir.write("logs/log070812153045.txt", "hello\r\n");
    const auto first = launch();
    const QDeadlineTimer deadline(20000);
    while (!lockTaken() && !deadline.hasExpired())
        QThread::msleep(20);
    ASSERT_TRUE(lockTaken());
    const auto second = launch();
    ASSERT_TRUE(second->waitForFinished(20000));
    EXPECT_EQ(second->exitCode(), 1);
    EXPECT_EQ(dir.read("transcript"), "[]\nKelvo Kelvo Log Viewer v1.0.4\r\nis already running.\n");
    EXPECT_EQ(first->state(), QProcess::Running);
    first->kill();
    first->waitForFinished(20000);
}

TEST_F(EndToEnd, NoLogsFolderTellsAndEnds) {
    const auto p = launch();
    ASSERT_TRUE(p->waitForFinished(20000));
    EXPECT_EQ(p->exitCode(), 1);
    EXPECT_EQ(dir.read("transcript"), "[]\nLog files not found.\r\nKelvo Log file viewer must be "
                                      "run from the Kelvo Directory\n");
}
