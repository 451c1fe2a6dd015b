#include "sim/vxi11/RpcWire.h"

#include <algorithm>

namespace {

constexpr quint32 kLast = 0x80000000u;

quint32 BigEndianAt(const QByteArray& bytes, qsizetype at) {
    quint32 value = 0;
    for (qsizetype i = 0; i < 4; ++i)
        value = (value << 8) | static_cast<unsigned char>(bytes.at(at + i));
    return value;
}

} // namespace

quint32 WireIn::Word() {
    if (!ok || bytes.size() - at < 4) {
        ok = false;
        return 0;
    }
    const quint32 value = BigEndianAt(bytes, at);
    at += 4;
    return value;
}

QByteArray WireIn::Opaque() {
    const qsizetype length = Word();
    if (!ok || length > bytes.size() - at) {
        ok = false;
        return {};
    }
    const QByteArray data = bytes.mid(at, length);
    at = std::min(bytes.size(), at + (length + 3) / 4 * 4);
    return data;
}

void PutWord(QByteArray& out, quint32 value) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out.append(static_cast<char>((value >> shift) & 0xFFu));
}

void PutOpaque(QByteArray& out, const QByteArray& data) {
    PutWord(out, static_cast<quint32>(data.size()));
    out.append(data);
    while (out.size() % 4 != 0)
        out.append('\0');
}

bool ReadCall(const QByteArray& record, RpcCall* call) {
    call->args = WireIn(record);
    WireIn& in = call->args;
    call->xid = in.Word();
    const quint32 type = in.Word();
    const quint32 rpcVersion = in.Word();
    call->program = in.Word();
    call->version = in.Word();
    call->procedure = in.Word();
    in.Word(); // credentials and verifier: none are checked
    in.Opaque();
    in.Word();
    in.Opaque();
    return in.ok && type == 0 && rpcVersion == 2;
}

QByteArray AcceptedReply(quint32 xid, quint32 acceptStatus, const QByteArray& results) {
    QByteArray reply;
    PutWord(reply, xid);
    PutWord(reply, 1); // a reply
    PutWord(reply, 0); // accepted
    PutWord(reply, 0); // no verifier
    PutOpaque(reply, {});
    PutWord(reply, acceptStatus);
    return reply + results;
}

QByteArray Frame(const QByteArray& record, int fragmentBytes) {
    const qsizetype step =
        fragmentBytes > 0 ? fragmentBytes : std::max<qsizetype>(record.size(), 1);
    QByteArray out;
    qsizetype at = 0;
    do {
        const qsizetype length = std::min(step, record.size() - at);
        const bool last = at + length == record.size();
        PutWord(out, static_cast<quint32>(length) | (last ? kLast : 0));
        out.append(record.mid(at, length));
        at += length;
    } while (at < record.size());
    return out;
}

bool TakeRecord(QByteArray& stream, QByteArray* record) {
    QByteArray assembled;
    qsizetype at = 0;
    for (;;) {
        if (stream.size() - at < 4)
            return false;
        const quint32 mark = BigEndianAt(stream, at);
        const qsizetype length = mark & ~kLast;
        if (stream.size() - at - 4 < length)
            return false;
        assembled.append(stream.mid(at + 4, length));
        at += 4 + length;
        if ((mark & kLast) != 0)
            break;
    }
    stream.remove(0, at);
    *record = assembled;
    return true;
}
