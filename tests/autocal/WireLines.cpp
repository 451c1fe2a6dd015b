#include "tests/autocal/WireLines.h"

#include "link/Bcommand.h"

namespace {

constexpr char kStx = 0x02;
constexpr char kDle = 0x10;

// The lead byte, the command bytes and the checksum, without the STX around them and the stuffing.
QByteArray Unstuffed(const QByteArray& packet) {
    QByteArray bytes;
    for (qsizetype i = 1; i + 1 < packet.size(); ++i) {
        if (packet[i] == kDle && i + 2 < packet.size())
            ++i;
        bytes.append(packet[i]);
    }
    return bytes;
}

} // namespace

WireLines::WireLines() {
    for (const char* line :
         {"ti",      "tms 1",   "vg 0xe0", "rfe 0",  "rfe 1",     "rfe 7",     "sr 1 2",
          "rftr 31", "rftr 47", "spr 11",  "spr 54", "spw 51 22", "spw 52 26", "spw 53 2",
          "se 1",    "se 6",    "se 11",   "se 54",  "se 100",    "se 101",    "se 300"})
        Add(QString::fromLatin1(line));
    // Every GMAGIC value a calibration may write, and more.
    for (int value = 0; value <= 400; ++value) {
        Add(QStringLiteral("rftw 31 %1,40,0,39,40").arg(value));
        Add(QStringLiteral("rftw 47 %1,40,0,41,42").arg(value));
    }
    for (const char* head : {"rfpw 1 ", "rfpw 2 ", "txpw 1 ", "txpw 4 ", "spw 1 ", "spw 21 ",
                             "spw 22 ", "spw 31 ", "spw 32 ", "spw 54 "})
        AddNumbered(QString::fromLatin1(head));
    AddNumbered(QStringLiteral("spw 11 "), true);
}

void WireLines::Add(const QString& line) {
    lines_.insert(Packet(line), line);
}

void WireLines::AddNumbered(const QString& head, bool isSigned) {
    const QByteArray zero = Unstuffed(Packet(head + '0'));
    numbered_.append({head, zero.left(zero.size() - 3), isSigned});
}

QString WireLines::LineOf(const QByteArray& packet) const {
    if (const auto known = lines_.constFind(packet); known != lines_.constEnd())
        return known.value();
    const QByteArray bytes = Unstuffed(packet);
    for (const Numbered& numbered : numbered_) {
        if (bytes.size() != numbered.prefix.size() + 3 || !bytes.startsWith(numbered.prefix))
            continue;
        const auto low = static_cast<std::uint8_t>(bytes[bytes.size() - 3]);
        const auto high = static_cast<std::uint8_t>(bytes[bytes.size() - 2]);
        const auto value = static_cast<std::uint16_t>(high << 8 | low);
        return numbered.head +
               QString::number(numbered.isSigned ? static_cast<std::int16_t>(value) : value);
    }
    return QStringLiteral("? ") + QString::fromLatin1(packet.toHex(' '));
}

QStringList WireLines::LinesOf(const QList<QByteArray>& packets) const {
    QStringList lines;
    for (const QByteArray& packet : packets)
        lines << LineOf(packet);
    return lines;
}

QByteArray WireLines::Packet(const QString& line) {
    EncodeLine(line.toStdString());
    std::uint8_t body[kFrameStoreSize];
    const int n = FetchFrame(body);
    return QByteArray(1, kStx) + QByteArray(reinterpret_cast<const char*>(body), n) +
           QByteArray(1, kStx);
}
