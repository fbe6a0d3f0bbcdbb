#include "Process.h"
#include "TempDir.h"
#include "platform/qt/QtProcessLauncher.h"

#include <gtest/gtest.h>

// The viewer's launch on the real system: started from the given path, without arguments,
// not waited for; or a reason the user can act on.
TEST(Launcher, StartsTheProgramDetachedOrSaysWhyNot) {
    TempDir dir;
    dir.write("kelvologviewer",
              "#!/bin/sh\necho \"$#\" > \"$(dirname \"$0\")/started\"\nsleep 5\n");
    std::filesystem::permissions(dir / "kelvologviewer", std::filesystem::perms::owner_all);
    QtProcessLauncher launcher;
    EXPECT_EQ(launcher.startDetached(dir / "kelvologviewer"), "");
    ASSERT_TRUE(waitFor([&] { return dir.read("started") == "0\n"; })) << "no arguments";

    EXPECT_EQ(launcher.startDetached(dir / "missing"), "The file does not exist.");
    dir.write("plain", "not a program");
    EXPECT_EQ(launcher.startDetached(dir / "plain"), "The file is not an executable program.");
}
