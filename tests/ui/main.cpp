// The window tests need one application object for the whole run.
#include <gtest/gtest.h>

#include <QApplication>

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    // Listing the tests happens at build time, outside the tests' environment, so the
    // test program sets what the windows need itself: drawn offscreen, and the C locale,
    // whose decimal separator "." the tests type.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("LC_ALL", "C.UTF-8");
    QApplication application(argc, argv);
    return RUN_ALL_TESTS();
}
