#include "sessions/ImeiLines.h"

#include "link/ReplyWorkArea.h"

#include <QLocale>

#include <algorithm>

namespace {

constexpr int kDataStart = ReplyWorkArea::kDataStart;
constexpr int kHardwareVersionChars = 3;
constexpr int kSerialChars = 6;
constexpr int kSoftwareVersionChars = 14;
constexpr int kBaseYear = 2000;

enum Region { kRegionNone = 0, kRegionHk = 1, kRegionCh = 2 };

bool AllDigits(const QString& text) {
    return std::all_of(text.begin(), text.end(),
                       [](QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); });
}

QChar NibbleChar(int nibble) {
    return QChar(QLatin1Char('0').unicode() + nibble);
}

} // namespace

QChar ImeiCheckDigit(const QString& imei) {
    int sum = 0;
    for (int i = 0; i < kImeiDigits - 1 && i < imei.size(); ++i) {
        int digit = imei[i].digitValue();
        if (i % 2 == 1) {
            digit *= 2;
            if (digit > 9)
                digit -= 9;
        }
        sum += digit;
    }
    return NibbleChar((10 - sum % 10) % 10);
}

std::optional<QString> ImeiProblem(const QString& imei) {
    if (imei.size() != kImeiDigits || !AllDigits(imei))
        return QStringLiteral("An IMEI is 15 digits (6, 2, 6 and 1); \"%1\" is not.").arg(imei);
    const QChar check = ImeiCheckDigit(imei);
    if (imei.back() != check)
        return QStringLiteral("The check digit of IMEI %1 is wrong: %2 makes it valid.")
            .arg(imei, QString(check));
    return std::nullopt;
}

QString ImeiWriteLine(const QString& imei) {
    QString line = QStringLiteral("stw 60");
    for (int k = 0; k < kImeiDigits / 2; ++k)
        line += QStringLiteral(" 0x") + imei[2 * k + 1] + imei[2 * k];
    return line + QStringLiteral(" 0x") + imei[kImeiDigits - 1];
}

QString ImeiFromReply(const ReplyWorkArea& reply) {
    QString imei;
    for (int k = 0; k < kImeiDigits / 2; ++k) {
        const std::uint8_t b = reply.At(kDataStart + k);
        imei += NibbleChar(b & 0x0F);
        imei += NibbleChar(b >> 4);
    }
    return imei + NibbleChar(reply.At(kDataStart + kImeiDigits / 2) & 0x0F);
}

QStringList ImeiGroups(const QString& imei) {
    QStringList groups;
    int from = 0;
    for (const int size : kImeiGroupSizes) {
        groups << imei.mid(from, size);
        from += size;
    }
    return groups;
}

std::optional<QString> HardwareVersionProblem(const QString& text) {
    if (text.size() < kHardwareVersionChars)
        return QStringLiteral(
                   "A hardware version is 3 characters, such as 1.0; \"%1\" is too short.")
            .arg(text);
    return std::nullopt;
}

QString HardwareVersionWriteLine(const QString& text) {
    const QByteArray bytes = text.left(kHardwareVersionChars).toLatin1();
    QString line = QStringLiteral("stw 11");
    // A character above 127 goes out as its sign-extended code, which the encoder takes modulo
    // 256: the byte itself.
    for (const char c : bytes)
        line += QStringLiteral(" 0x%1").arg(static_cast<std::uint32_t>(static_cast<std::int8_t>(c)),
                                            0, 16);
    return line;
}

QString HardwareVersionFromReply(const ReplyWorkArea& reply) {
    return reply.Characters(kDataStart, kHardwareVersionChars);
}

std::optional<QString> SerialProblem(const QString& text) {
    const QString serial = text.left(kSerialChars);
    const bool hexDigits = std::all_of(serial.begin(), serial.end(), [](QChar c) {
        return c.isDigit() || (c.toLower() >= QLatin1Char('a') && c.toLower() <= QLatin1Char('f'));
    });
    if (serial.size() < kSerialChars || !hexDigits)
        return QStringLiteral("A serial number is 6 digits (0-9, A-F); \"%1\" is not.").arg(text);
    return std::nullopt;
}

QString SerialWriteLine(const QString& text) {
    return QStringLiteral("stw 61 0x%1 0x%2 0x%3")
        .arg(text.mid(0, 2), text.mid(2, 2), text.mid(4, 2));
}

QString SerialFromReply(const ReplyWorkArea& reply) {
    QString serial;
    for (int i = 0; i < kSerialChars / 2; ++i) {
        const std::uint8_t b = reply.At(kDataStart + i);
        serial += NibbleChar(b >> 4);
        serial += NibbleChar(b & 0x0F);
    }
    return serial;
}

QString SoftwareVersionFromReply(const ReplyWorkArea& reply) {
    return reply.Characters(kDataStart, kSoftwareVersionChars);
}

QString TimeText(const QDateTime& time) {
    return QLocale::c().toString(time, QStringLiteral("hh:mm:ss, dddd, MMMM dd, yyyy"));
}

QString ClockWriteLine(const QDateTime& time) {
    const QDate date = time.date();
    const QTime clock = time.time();
    const int values[] = {date.dayOfWeek() % 7, date.year() - kBaseYear, date.month(),  date.day(),
                          clock.hour(),         clock.minute(),          clock.second()};
    QString line = QStringLiteral("stw 20");
    for (const int value : values)
        line += QStringLiteral(" 0x%1").arg(static_cast<std::uint32_t>(value), 0, 16);
    return line;
}

int RegionCode(const QString& region) {
    if (region == QLatin1String("HK"))
        return kRegionHk;
    if (region == QLatin1String("CH"))
        return kRegionCh;
    return kRegionNone;
}

QString RegionWriteLine(int code) {
    return QStringLiteral("spw 100 %1").arg(code);
}

QString RegionFromReply(const ReplyWorkArea& reply) {
    switch (reply.At(kDataStart)) {
    case kRegionHk:
        return QStringLiteral("HK");
    case kRegionCh:
        return QStringLiteral("CH");
    default:
        return QStringLiteral("Not Support");
    }
}
