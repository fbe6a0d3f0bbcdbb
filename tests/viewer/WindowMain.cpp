#include <QApplication>
#include <gtest/gtest.h>

// Real widgets on the offscreen platform, so the tests never need a display.
int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
