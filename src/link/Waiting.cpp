#include "Waiting.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

int PumpMessages() {
    if (QCoreApplication::closingDown())
        return 0;
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    return QCoreApplication::closingDown() ? 0 : 1;
}

void WaitPumping(int ms) {
    if (ms <= 0) {
        PumpMessages();
        return;
    }
    if (!QCoreApplication::instance() || QCoreApplication::closingDown())
        return;
    // A quit request ends every running loop of the thread, this one included.
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}
