#pragma once

#include <QByteArray>

// XDR (RFC 4506) as ONC RPC carries it: big-endian 32-bit words, opaque data as a length and the
// bytes padded to a multiple of four.
class XdrWriter {
public:
    XdrWriter& Word(quint32 value);
    XdrWriter& Opaque(const QByteArray& data);
    const QByteArray& Bytes() const { return bytes_; }

private:
    QByteArray bytes_;
};

// Reads what XdrWriter writes. A read past the end fails and every read after it fails too, so
// that a short reply is caught once, at the end of its parsing.
class XdrReader {
public:
    explicit XdrReader(QByteArray bytes) : bytes_(std::move(bytes)) {}
    quint32 Word();
    QByteArray Opaque();
    QByteArray Rest() const { return bytes_.mid(offset_); }
    bool Ok() const { return ok_; }

private:
    QByteArray bytes_;
    qsizetype offset_ = 0;
    bool ok_ = true;
};
