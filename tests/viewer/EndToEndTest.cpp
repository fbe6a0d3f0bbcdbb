#include "Process.h"
#include "TempDir.h"

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
    std::unique_ptr<Process> launch(const std::string& output) {
        std::filesystem::create_directory(dir / output);
        return std::make_unique<Process>(
            dir / "kelvologviewer", std::vector<std::string>{},
            std::vector<std::string>{
                "QT_QPA_PLATFORM=offscreen", "XDG_RUNTIME_DIR=" + (dir / "run").string(),
                "KELVOLOGVIEWER_DIALOG_TRANSCRIPT=" + (dir / "transcript").string()},
            dir / output);
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
    const auto first = launch("first");
    ASSERT_TRUE(waitFor([&] { return lockTaken(); })) << first->err();
    const auto second = launch("second");
    EXPECT_EQ(second->waitExit(), 1);
    EXPECT_EQ(dir.read("transcript"), "[]\nKelvo Kelvo Log Viewer v1.0.4\r\nis already running.\n");
    EXPECT_TRUE(first->running());
}

TEST_F(EndToEnd, NoLogsFolderTellsAndEnds) {
    EXPECT_EQ(launch("only")->waitExit(), 1);
    EXPECT_EQ(dir.read("transcript"), "[]\nLog files not found.\r\nKelvo Log file viewer must be "
                                      "run from the Kelvo Directory\n");
}
