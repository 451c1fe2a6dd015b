#include <QCoreApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// Tests run inside a real Qt event loop: channel hand-overs and timers need one.
int main(int argc, char** argv) {
    // Run records, of this process and of the programs it starts, go to a folder of its own,
    // never to the user's data directory.
    const QTemporaryDir data;
    qputenv("XDG_DATA_HOME", data.path().toLocal8Bit());
    QCoreApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
