// The Qt parts of the documents are tested without a display: an offscreen
// application lives for the whole run.
#include <gtest/gtest.h>

#include <QtWidgets/QApplication>

#include <cstdlib>

int main(int argc, char** argv) {
    // Test discovery runs the program without the test's environment.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
