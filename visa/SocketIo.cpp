#include "visa/SocketIo.h"

#include "visa/TcpWait.h"

std::unique_ptr<SocketIo> SocketIo::Connect(const QString& host, quint16 port, int connectTimeoutMs,
                                            ViStatus* status, QString* detail) {
    std::unique_ptr<SocketIo> io(new SocketIo);
    if (!ConnectTcp(io->socket_, host, port, connectTimeoutMs, status, detail))
        return nullptr;
    return io;
}

ViStatus SocketIo::Write(ViConstBuf data, ViUInt32 count, ViUInt32* written) {
    *written = 0;
    if (socket_.state() != QAbstractSocket::ConnectedState) {
        lastDetail_ = QStringLiteral("the connection was closed by the instrument");
        return VI_ERROR_CONN_LOST;
    }
    socket_.write(reinterpret_cast<const char*>(data), static_cast<qint64>(count));
    const QDeadlineTimer deadline = DeadlineFor(attributes_.TimeoutMs());
    while (socket_.bytesToWrite() > 0) {
        if (socket_.waitForBytesWritten(RemainingMs(deadline)))
            continue;
        if (socket_.state() != QAbstractSocket::ConnectedState) {
            lastDetail_ = QStringLiteral("the connection was closed by the instrument");
            return VI_ERROR_CONN_LOST;
        }
        if (deadline.hasExpired()) {
            lastDetail_ =
                QStringLiteral("not accepting data within %1 ms").arg(attributes_.TimeoutMs());
            return VI_ERROR_TMO;
        }
    }
    *written = count;
    return VI_SUCCESS;
}

bool SocketIo::ReadyToEnd(ViUInt32 count, qint64* length, bool* lineEnded) {
    const QByteArray pending = socket_.peek(static_cast<qint64>(count));
    const qsizetype lineFeed = pending.indexOf('\n');
    *lineEnded = lineFeed >= 0;
    *length = *lineEnded ? lineFeed + 1 : pending.size();
    return *lineEnded || *length == static_cast<qint64>(count);
}

ViStatus SocketIo::Read(ViPBuf buffer, ViUInt32 count, ViUInt32* got) {
    const QDeadlineTimer deadline = DeadlineFor(attributes_.TimeoutMs());
    qint64 length = 0;
    bool lineEnded = false;
    ViStatus status = VI_SUCCESS;
    while (status == VI_SUCCESS && !ReadyToEnd(count, &length, &lineEnded)) {
        if (socket_.state() != QAbstractSocket::ConnectedState) {
            lastDetail_ = QStringLiteral("the connection was closed by the instrument");
            status = VI_ERROR_CONN_LOST;
        } else if (!socket_.waitForReadyRead(RemainingMs(deadline)) && deadline.hasExpired()) {
            lastDetail_ = QStringLiteral("no reply within %1 ms").arg(attributes_.TimeoutMs());
            status = VI_ERROR_TMO;
        }
    }
    // As VISA does, a read that fails still hands over what had arrived.
    *got = static_cast<ViUInt32>(socket_.read(reinterpret_cast<char*>(buffer), length));
    if (status != VI_SUCCESS)
        return status;
    // The line feed ends a message as END does on GPIB, so a whole reply reads as VI_SUCCESS.
    return lineEnded ? VI_SUCCESS : VI_SUCCESS_MAX_CNT;
}

ViStatus SocketIo::Clear() {
    socket_.waitForReadyRead(0);
    socket_.readAll();
    return VI_SUCCESS;
}

ViStatus SocketIo::ReadStatusByte(ViUInt16* /*statusByte*/) {
    lastDetail_ = QStringLiteral("a raw socket carries no status byte (ask \"*STB?\" instead)");
    return VI_ERROR_NSUP_OPER;
}

QString SocketIo::ErrorDetail(ViStatus /*status*/) const {
    return lastDetail_;
}
