#include <QCoreApplication>
#include <gtest/gtest.h>

// Tests run inside a real Qt event loop: channel hand-overs and timers need one.
int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
