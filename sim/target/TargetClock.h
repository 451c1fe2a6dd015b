#pragma once

#include <QByteArray>
#include <QtGlobal>

// The target's real-time clock in the seven-byte form "stw 20" writes and "str 20" reads:
// weekday (0 Sunday), year - 2000, month, day, hour, minute, second. It runs on from the time
// it was set; a setting that is no valid date is held as written.
class TargetClock {
public:
    static constexpr int kBytes = 7;

    TargetClock(); // Saturday 1 January 2000, 00:00:00, from time 0

    void Set(const QByteArray& setting, qint64 nowMs);
    QByteArray Read(qint64 nowMs) const;

private:
    QByteArray setting_;
    qint64 setAtMs_ = 0;
};
