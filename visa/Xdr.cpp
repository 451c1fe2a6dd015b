#include "visa/Xdr.h"

#include <QtEndian>

XdrWriter& XdrWriter::Word(quint32 value) {
    char word[4];
    qToBigEndian(value, word);
    bytes_.append(word, 4);
    return *this;
}

XdrWriter& XdrWriter::Opaque(const QByteArray& data) {
    Word(static_cast<quint32>(data.size()));
    bytes_.append(data);
    bytes_.append((4 - data.size() % 4) % 4, '\0');
    return *this;
}

quint32 XdrReader::Word() {
    if (!ok_ || bytes_.size() - offset_ < 4) {
        ok_ = false;
        return 0;
    }
    const quint32 value = qFromBigEndian<quint32>(bytes_.constData() + offset_);
    offset_ += 4;
    return value;
}

QByteArray XdrReader::Opaque() {
    const qsizetype length = Word();
    const qsizetype padded = (length + 3) / 4 * 4;
    if (!ok_ || bytes_.size() - offset_ < padded) {
        ok_ = false;
        return {};
    }
    const QByteArray data = bytes_.mid(offset_, length);
    offset_ += padded;
    return data;
}
