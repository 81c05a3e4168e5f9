// Test entry for tests that need a QApplication (widgets run on Qt's offscreen platform).
#include <QApplication>
#include <QStandardPaths>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QStandardPaths::setTestModeEnabled(true); // caches of the tests, never the user's
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
