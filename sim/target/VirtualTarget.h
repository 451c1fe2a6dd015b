#pragma once

#include "sim/target/CommandPacket.h"
#include "sim/target/EepromImage.h"
#include "sim/target/Firmware.h"

#include <QByteArray>
#include <QString>

#include <limits>
#include <optional>
#include <vector>

class UnitModel;

// Faults applied to the target's answers, counted over the command packets it receives
// (0: never). Where two fall on the same packet, a refusal wins over a drop and a drop over a
// corruption.
struct TargetFaults {
    int dropEveryNth = 0;            // executed, but the reply is lost
    int statusErrorEveryNth = 0;     // refused: not executed, answered with a non-zero status
    int corruptChecksumEveryNth = 0; // executed, answered with a wrong checksum byte
    bool silent = false;             // executed, never answered
};

// The simulated phone on the target's serial line. It is fed the bytes the station wrote and
// returns the reply frames to write back; time is passed in, so it does no I/O and never waits.
// It answers only while the unit model is powered, boots afresh after every power-up, and stays
// silent for the restart time after "se 300" (bytes that arrive meanwhile are lost).
class VirtualTarget {
public:
    static constexpr int kDefaultRestartTimeMs = 3000;

    explicit VirtualTarget(UnitModel& unit);

    // Bytes the station wrote; returns complete reply frames (each STX..STX, stuffed), in order.
    // Empty bytes just let time pass.
    std::vector<QByteArray> Receive(const QByteArray& bytes, qint64 nowMs);
    bool Restarting(qint64 nowMs) const { return nowMs < restartEndsMs_; }
    void SetRestartTimeMs(int ms) { restartTimeMs_ = ms; }
    void SetFaults(const TargetFaults& faults) { faults_ = faults; }

    // "se 1" commits seen (the bench's automatic operator watches it).
    int CommitCount() const { return firmware_.CommitCount(); }
    int SettleCount() const { return firmware_.SettleCount(); }
    int PacketsReceived() const { return packets_; }
    int PacketsDropped() const { return parser_.Dropped(); }

    // A missing file is a fresh unit. Loading boots the firmware from the new image and sets
    // the clock from its clock record, running from time 0.
    bool LoadEeprom(const QString& path, QString* error);
    bool SaveEeprom(const QString& path, QString* error) const;
    const EepromImage& Eeprom() const { return eeprom_; }

    void SetSoftwareVersion(const QByteArray& version) { firmware_.SetSoftwareVersion(version); }
    const Firmware& State() const { return firmware_; }

private:
    void FollowPower();
    std::optional<QByteArray> Respond(const CommandPacket& packet, qint64 nowMs);
    static bool Hits(int everyNth, int count) { return everyNth > 0 && count % everyNth == 0; }

    UnitModel& unit_;
    EepromImage eeprom_;
    Firmware firmware_;
    PacketParser parser_;
    TargetFaults faults_;
    int restartTimeMs_ = kDefaultRestartTimeMs;
    qint64 restartEndsMs_ = std::numeric_limits<qint64>::min();
    int seenPowerUps_ = 0;
    int packets_ = 0;
};
