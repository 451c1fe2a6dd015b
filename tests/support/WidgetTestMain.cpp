#include <QApplication>
#include <QStandardPaths>
#include <gtest/gtest.h>

// Widget tests run inside a real Qt event loop with a QApplication, offscreen unless told
// otherwise (test discovery runs the binary without the test's environment).
int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Settings written by a test go to a scratch location, never to the user's own.
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    // Tests close main windows; that must not end the application.
    QApplication::setQuitOnLastWindowClosed(false);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
