#include "visa/RpcClient.h"

#include "visa/TcpWait.h"
#include "visa/VisaLog.h"
#include "visa/Xdr.h"

#include <QRandomGenerator>
#include <QtEndian>

namespace {

constexpr quint32 kRpcVersion = 2;
constexpr quint32 kCall = 0;
constexpr quint32 kReply = 1;
constexpr quint32 kAccepted = 0;
constexpr quint32 kSuccess = 0;
constexpr quint32 kLastFragment = 0x80000000u;

const char* const kAcceptTexts[] = {"the call succeeded",
                                    "the server does not serve the program",
                                    "the server does not serve that version of the program",
                                    "the server does not know the procedure",
                                    "the server could not decode the arguments",
                                    "the server failed"};

// The results of a reply whose header says the call was accepted and carried out.
ViStatus AcceptedResults(XdrReader& reply, QByteArray* results, QString* detail) {
    const quint32 replyStatus = reply.Word();
    if (replyStatus != kAccepted) {
        *detail = QStringLiteral("the server refused the call (RPC version or authentication)");
        return VI_ERROR_IO;
    }
    reply.Word(); // the verifier's flavour and body: no authentication is used
    reply.Opaque();
    const quint32 acceptStatus = reply.Word();
    if (!reply.Ok() || acceptStatus != kSuccess) {
        *detail = acceptStatus < std::size(kAcceptTexts)
                      ? QLatin1String(kAcceptTexts[acceptStatus])
                      : QStringLiteral("the server sent a reply that cannot be read");
        return VI_ERROR_IO;
    }
    *results = reply.Rest();
    return VI_SUCCESS;
}

} // namespace

bool RpcClient::Connect(const QString& host, quint16 port, int timeoutMs, ViStatus* status,
                        QString* detail) {
    where_ = QStringLiteral("%1:%2").arg(host).arg(port);
    xid_ = QRandomGenerator::global()->generate();
    return ConnectTcp(socket_, host, port, timeoutMs, status, detail);
}

ViStatus RpcClient::Call(quint32 program, quint32 version, quint32 procedure,
                         const QByteArray& arguments, const QDeadlineTimer& deadline,
                         QByteArray* results, QString* detail) {
    const quint32 xid = ++xid_;
    XdrWriter call;
    call.Word(xid).Word(kCall).Word(kRpcVersion).Word(program).Word(version).Word(procedure);
    call.Word(0).Opaque({}).Word(0).Opaque({}); // no credentials, no verifier
    ViStatus status = Send(call.Bytes() + arguments, deadline, detail);
    while (status == VI_SUCCESS) {
        QByteArray record;
        status = ReadRecord(deadline, &record, detail);
        XdrReader reply(record);
        const quint32 replyXid = reply.Word();
        if (status != VI_SUCCESS)
            break;
        if (replyXid == xid && reply.Word() == kReply)
            return AcceptedResults(reply, results, detail);
        qCDebug(lcVisa).noquote() << where_ << "skipped a reply to call" << replyXid;
    }
    return status;
}

ViStatus RpcClient::Send(const QByteArray& record, const QDeadlineTimer& deadline,
                         QString* detail) {
    if (!Connected())
        return Lost(detail);
    char header[4];
    qToBigEndian(kLastFragment | static_cast<quint32>(record.size()), header);
    socket_.write(header, 4);
    socket_.write(record);
    while (socket_.bytesToWrite() > 0) {
        if (socket_.waitForBytesWritten(RemainingMs(deadline)))
            continue;
        if (!Connected())
            return Lost(detail);
        if (deadline.hasExpired()) {
            *detail = QStringLiteral("%1 accepts no data").arg(where_);
            return VI_ERROR_TMO;
        }
    }
    return VI_SUCCESS;
}

ViStatus RpcClient::ReadRecord(const QDeadlineTimer& deadline, QByteArray* record,
                               QString* detail) {
    bool last = false;
    while (!last) {
        QByteArray header;
        ViStatus status = ReadExactly(4, deadline, &header, detail);
        const quint32 mark = status == VI_SUCCESS ? qFromBigEndian<quint32>(header.constData()) : 0;
        last = (mark & kLastFragment) != 0;
        QByteArray fragment;
        if (status == VI_SUCCESS)
            status = ReadExactly(mark & ~kLastFragment, deadline, &fragment, detail);
        if (status != VI_SUCCESS)
            return status;
        record->append(fragment);
    }
    return VI_SUCCESS;
}

ViStatus RpcClient::ReadExactly(qint64 count, const QDeadlineTimer& deadline, QByteArray* bytes,
                                QString* detail) {
    while (socket_.bytesAvailable() < count) {
        if (!Connected())
            return Lost(detail);
        if (!socket_.waitForReadyRead(RemainingMs(deadline)) && deadline.hasExpired()) {
            *detail = QStringLiteral("%1 sent no reply in time").arg(where_);
            return VI_ERROR_TMO;
        }
    }
    *bytes = socket_.read(count);
    return VI_SUCCESS;
}

ViStatus RpcClient::Lost(QString* detail) const {
    *detail = QStringLiteral("the connection to %1 was closed").arg(where_);
    return VI_ERROR_CONN_LOST;
}
