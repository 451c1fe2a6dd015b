#include "tests/support/PtyPair.h"

#include <QElapsedTimer>

#include <poll.h>
#include <stdexcept>

PtyPair::PtyPair() {
    QString error;
    if (!pty_.Open(&error))
        throw std::runtime_error(error.toStdString());
}

QByteArray PtyPair::Read(int minBytes, int timeoutMs) {
    QByteArray result;
    QElapsedTimer clock;
    clock.start();
    while (result.size() < minBytes && clock.elapsed() < timeoutMs) {
        pollfd readable{pty_.MasterFd(), POLLIN, 0};
        if (::poll(&readable, 1, static_cast<int>(timeoutMs - clock.elapsed())) > 0)
            result += pty_.ReadAvailable();
    }
    return result;
}
