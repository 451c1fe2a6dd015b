#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <optional>

class ReplyWorkArea;

// The IMEI tool's command lines and the values it reads from replies. An IMEI is fifteen digits
// d1..d15; the target keeps it in eight bytes, byte k holding d(2k+2) in its high nibble and
// d(2k+1) in its low one, the last byte d15 alone.

inline constexpr int kImeiDigits = 15;
// The four boxes of an IMEI row: digits 1-6, 7-8, 9-14 and the check digit.
inline constexpr int kImeiGroupSizes[] = {6, 2, 6, 1};

// The Luhn check digit that completes the first fourteen digits of imei.
QChar ImeiCheckDigit(const QString& imei);
// Why imei cannot be written to a phone: not fifteen digits, or a wrong check digit.
std::optional<QString> ImeiProblem(const QString& imei);

// "stw 60 0x53 0x76 0x98 0x10 0x32 0x54 0x76 0x8" for 356789012345678: the pairs swapped, the
// last digit alone. imei holds fifteen digits.
QString ImeiWriteLine(const QString& imei);
// The fifteen characters of an IMEI read ("str 60"): each data byte's low nibble, then its high
// nibble, as the character that many places after '0'; of the last byte the low nibble only.
QString ImeiFromReply(const ReplyWorkArea& reply);
// The groups of 6, 2, 6 and 1 characters of an IMEI row.
QStringList ImeiGroups(const QString& imei);

// "stw 11 0x31 0x2e 0x30" from the first three characters of text, each as a signed byte.
std::optional<QString> HardwareVersionProblem(const QString& text);
QString HardwareVersionWriteLine(const QString& text);
QString HardwareVersionFromReply(const ReplyWorkArea& reply);

// The serial number travels as six BCD digits in three bytes, high nibble first.
std::optional<QString> SerialProblem(const QString& text);
QString SerialWriteLine(const QString& text);
// Nibbles above 9 show as the characters after '9' (":;<=>?"), as the tool always showed them.
QString SerialFromReply(const ReplyWorkArea& reply);

QString SoftwareVersionFromReply(const ReplyWorkArea& reply);

// "14:05:09, Friday, September 13, 2002".
QString TimeText(const QDateTime& time);
// "stw 20" with day of week (0 Sunday), year - 2000, month, day, hour, minute, second.
QString ClockWriteLine(const QDateTime& time);

// The region codes of "spw 100"/"spr 100": 1 "HK", 2 "CH"; 0 for any other text.
int RegionCode(const QString& region);
QString RegionWriteLine(int code);
// "HK", "CH" or "Not Support".
QString RegionFromReply(const ReplyWorkArea& reply);
