#pragma once

#include "visa/Visa.h"

#include <QDeadlineTimer>
#include <QTcpSocket>

// ONC RPC version 2 (RFC 5531) calls over one TCP connection with record marking, with no
// authentication, as VXI-11 and the portmapper take them. Every wait blocks the calling thread
// until the call's deadline at most.
class RpcClient {
public:
    bool Connect(const QString& host, quint16 port, int timeoutMs, ViStatus* status,
                 QString* detail);
    // The results of the call's accepted reply. Late replies to earlier calls (a time-out leaves
    // them in the stream) are skipped by their transaction id.
    ViStatus Call(quint32 program, quint32 version, quint32 procedure, const QByteArray& arguments,
                  const QDeadlineTimer& deadline, QByteArray* results, QString* detail);
    bool Connected() const { return socket_.state() == QAbstractSocket::ConnectedState; }

private:
    ViStatus Send(const QByteArray& record, const QDeadlineTimer& deadline, QString* detail);
    ViStatus ReadRecord(const QDeadlineTimer& deadline, QByteArray* record, QString* detail);
    ViStatus ReadExactly(qint64 count, const QDeadlineTimer& deadline, QByteArray* bytes,
                         QString* detail);
    ViStatus Lost(QString* detail) const;

    QTcpSocket socket_;
    QString where_;
    quint32 xid_ = 0;
};
