#include "sim/target/TargetClock.h"

#include "sim/target/ByteHelpers.h"

#include <QDateTime>
#include <QTimeZone>

#include <algorithm>

using namespace target_bytes;

namespace {

enum Field { kWeekday, kYear, kMonth, kDay, kHour, kMinute, kSecond };
constexpr int kFirstYear = 2000;
constexpr int kDaysPerWeek = 7;

QDateTime ToDateTime(const QByteArray& setting) {
    const QDate date(kFirstYear + At(setting, kYear), At(setting, kMonth), At(setting, kDay));
    const QTime time(At(setting, kHour), At(setting, kMinute), At(setting, kSecond));
    return QDateTime(date, time, QTimeZone::utc());
}

} // namespace

TargetClock::TargetClock() : setting_("\x06\x00\x01\x01\x00\x00\x00", kBytes) {}

void TargetClock::Set(const QByteArray& setting, qint64 nowMs) {
    setting_ = setting.left(kBytes);
    setAtMs_ = nowMs;
}

QByteArray TargetClock::Read(qint64 nowMs) const {
    const QDateTime set = ToDateTime(setting_);
    if (!set.isValid())
        return setting_;
    const QDateTime now = set.addMSecs(std::max<qint64>(nowMs - setAtMs_, 0));
    const qint64 days = set.date().daysTo(now.date());
    const int weekday = static_cast<int>((At(setting_, kWeekday) + days) % kDaysPerWeek);
    QByteArray reading;
    AppendU8(reading, static_cast<std::uint8_t>(weekday));
    AppendU8(reading, static_cast<std::uint8_t>(now.date().year() - kFirstYear));
    AppendU8(reading, static_cast<std::uint8_t>(now.date().month()));
    AppendU8(reading, static_cast<std::uint8_t>(now.date().day()));
    AppendU8(reading, static_cast<std::uint8_t>(now.time().hour()));
    AppendU8(reading, static_cast<std::uint8_t>(now.time().minute()));
    AppendU8(reading, static_cast<std::uint8_t>(now.time().second()));
    return reading;
}
