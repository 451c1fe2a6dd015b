// rftune-art: writes the station's program icon as a PNG file, for the desktop entry of the
// package. A build tool; it is not installed.
#include "widgets/ProgramArt.h"

#include <QGuiApplication>

#include <cstdio>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    const QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: rftune-art SIZE FILE.png\n");
        return 2;
    }
    const int size = QByteArray(argv[1]).toInt();
    if (size <= 0 || !ProgramIcon().pixmap(size, size).save(QString::fromLocal8Bit(argv[2]))) {
        std::fprintf(stderr, "rftune-art: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
