#include "sessions/EepromMapFiles.h"

#include <QFile>
#include <QSaveFile>

namespace {

constexpr int kDumpBytesPerLine = 16;
constexpr int kDumpGroup = 8;

char Shown(std::uint8_t value) {
    const bool printable = value >= 0x20 && value < 0x7F;
    return printable ? static_cast<char>(value) : '.';
}

QByteArray HexDump(const QByteArray& map) {
    QByteArray dump;
    for (int line = 0; line < map.size(); line += kDumpBytesPerLine) {
        const QByteArray bytes = map.mid(line, kDumpBytesPerLine);
        QString text = QString::asprintf("%04X ", line);
        QByteArray characters;
        for (int i = 0; i < kDumpBytesPerLine; ++i) {
            if (i % kDumpGroup == 0)
                text += QLatin1Char(' ');
            if (i < bytes.size()) {
                const auto value = static_cast<std::uint8_t>(bytes[i]);
                text += QString::asprintf("%02X ", value);
                characters += Shown(value);
            } else {
                text += QStringLiteral("   ");
            }
        }
        dump += text.toLatin1() + " |" + characters + "|\n";
    }
    return dump;
}

} // namespace

QString EepromMapLine(int address, std::uint8_t value) {
    return QString::asprintf("%d -> 0x%x, %c", address, value, Shown(value));
}

bool AppendResultBlock(const QString& path, int firstAddress, const QByteArray& block,
                       QString* error) {
    QFile file(path);
    QByteArray text("\r\n");
    for (qsizetype i = 0; i < block.size(); ++i) {
        const auto value = static_cast<std::uint8_t>(block[i]);
        text +=
            QString::asprintf("%d -> 0x%x, ", firstAddress + static_cast<int>(i), value).toLatin1();
        text += block[i];
        text += "\r\n";
    }
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append) || file.write(text) != text.size() ||
        !file.flush()) {
        *error = QStringLiteral("%1: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}

QByteArray EepromMapContents(const QByteArray& map, EepromMapFormat format) {
    return format == EepromMapFormat::Image ? map : HexDump(map);
}

bool SaveEepromMap(const QString& path, const QByteArray& map, EepromMapFormat format,
                   QString* error) {
    const QByteArray contents = EepromMapContents(map, format);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(contents) != contents.size() ||
        !file.commit()) {
        *error = QStringLiteral("%1: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}
