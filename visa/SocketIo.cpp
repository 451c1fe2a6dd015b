#include "visa/SocketIo.h"

#include <QDeadlineTimer>

#include <algorithm>
#include <limits>

namespace {

// Qt's waits take an int; -1 waits for ever.
int RemainingMs(const QDeadlineTimer& deadline) {
    const qint64 remaining = deadline.remainingTime();
    if (remaining < 0)
        return -1;
    return static_cast<int>(std::min<qint64>(remaining, std::numeric_limits<int>::max()));
}

} // namespace

std::unique_ptr<SocketIo> SocketIo::Connect(const QString& host, quint16 port, int connectTimeoutMs,
                                            ViStatus* status, QString* detail) {
    std::unique_ptr<SocketIo> io(new SocketIo);
    io->socket_.connectToHost(host, port);
    if (io->socket_.waitForConnected(connectTimeoutMs)) {
        // SCPI lines are short and each waits for its answer: send them at once.
        io->socket_.setSocketOption(QAbstractSocket::LowDelayOption, 1);
        *status = VI_SUCCESS;
        return io;
    }
    const QString where = QStringLiteral("%1:%2").arg(host).arg(port);
    switch (io->socket_.error()) {
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
        *detail =
            QStringLiteral("no connection to %1 within %2 ms").arg(where).arg(connectTimeoutMs);
        break;
    default:
        *status = VI_ERROR_RSRC_NFOUND;
        *detail = QStringLiteral("cannot connect to %1: %2").arg(where, io->socket_.errorString());
        break;
    }
    return nullptr;
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

ViStatus SocketIo::SetAttribute(ViAttr attribute, ViAttrState value) {
    return attributes_.Set(attribute, value);
}

ViStatus SocketIo::GetAttribute(ViAttr attribute, void* value) {
    return attributes_.Get(attribute, value);
}

ViStatus SocketIo::SetBuffer(ViUInt16 mask, ViUInt32 /*size*/) {
    return IoAttributes::CheckBufferMask(mask);
}

QString SocketIo::ErrorDetail(ViStatus /*status*/) const {
    return lastDetail_;
}
