#pragma once

#include <QByteArray>

// The server side of ONC RPC over TCP, written apart from the station's client so that a
// misreading of the protocol in one shows up against the other.

// Reads big-endian words and length-prefixed, padded opaque data; a read past the end clears ok.
struct WireIn {
    explicit WireIn(QByteArray data) : bytes(std::move(data)) {}
    quint32 Word();
    QByteArray Opaque();

    QByteArray bytes;
    qsizetype at = 0;
    bool ok = true;
};

void PutWord(QByteArray& out, quint32 value);
void PutOpaque(QByteArray& out, const QByteArray& data);

// A call as the server sees it: its header read, the arguments left in args.
struct RpcCall {
    quint32 xid = 0;
    quint32 program = 0;
    quint32 version = 0;
    quint32 procedure = 0;
    WireIn args{{}};
};
// False for a record that is no RPC version 2 call.
bool ReadCall(const QByteArray& record, RpcCall* call);

// The reply record to xid: accepted, with acceptStatus (0 success, 1 program unavailable, 3
// procedure unavailable) and the results.
QByteArray AcceptedReply(quint32 xid, quint32 acceptStatus, const QByteArray& results = {});

// Record marking: the record as fragments of at most fragmentBytes (0: one fragment), the last
// one marked.
QByteArray Frame(const QByteArray& record, int fragmentBytes);
// Takes the next whole record out of a stream's bytes; false while it is incomplete.
bool TakeRecord(QByteArray& stream, QByteArray* record);
