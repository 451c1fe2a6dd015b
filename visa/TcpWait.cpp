#include "visa/TcpWait.h"

#include <QTcpSocket>

#include <algorithm>
#include <limits>

int RemainingMs(const QDeadlineTimer& deadline) {
    const qint64 remaining = deadline.remainingTime();
    if (remaining < 0)
        return -1;
    return static_cast<int>(std::min<qint64>(remaining, std::numeric_limits<int>::max()));
}

bool ConnectTcp(QTcpSocket& socket, const QString& host, quint16 port, int timeoutMs,
                ViStatus* status, QString* detail) {
    socket.connectToHost(host, port);
    if (socket.waitForConnected(timeoutMs)) {
        // Instrument messages are short and each waits for its answer: send them at once.
        socket.setSocketOption(QAbstractSocket::LowDelayOption, 1);
        *status = VI_SUCCESS;
        return true;
    }
    const QString where = QStringLiteral("%1:%2").arg(host).arg(port);
    switch (socket.error()) {
    case QAbstractSocket::HostNotFoundError:
        *status = VI_ERROR_RSRC_NFOUND;
        *detail = QStringLiteral("host %1 not found").arg(host);
        break;
    case QAbstractSocket::ConnectionRefusedError:
        *status = VI_ERROR_MACHINE_NAVAIL;
        *detail = QStringLiteral("%1 refused the connection").arg(where);
        break;
    case QAbstractSocket::SocketTimeoutError:
        *status = VI_ERROR_TMO;
        *detail = QStringLiteral("no connection to %1 within %2 ms").arg(where).arg(timeoutMs);
        break;
    default:
        *status = VI_ERROR_RSRC_NFOUND;
        *detail = QStringLiteral("cannot connect to %1: %2").arg(where, socket.errorString());
        break;
    }
    return false;
}
