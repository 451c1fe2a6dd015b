#include "sim/target/VirtualTarget.h"

#include "sim/model/UnitModel.h"

#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcTarget, "rftune.sim.target", QtWarningMsg)

VirtualTarget::VirtualTarget(UnitModel& unit)
    : unit_(unit), firmware_(unit, eeprom_), seenPowerUps_(unit.PowerUps()) {}

std::vector<QByteArray> VirtualTarget::Receive(const QByteArray& bytes, qint64 nowMs) {
    FollowPower();
    if (!unit_.Powered() || Restarting(nowMs)) {
        parser_.Reset();
        return {};
    }
    std::vector<QByteArray> frames;
    const int droppedBefore = parser_.Dropped();
    for (const CommandPacket& packet : parser_.Feed(bytes)) {
        if (Restarting(nowMs))
            break; // the rest arrived while the target was starting again
        if (std::optional<QByteArray> frame = Respond(packet, nowMs))
            frames.push_back(*frame);
    }
    if (parser_.Dropped() != droppedBefore)
        qCDebug(lcTarget) << "dropped" << parser_.Dropped() - droppedBefore << "malformed packets";
    if (Restarting(nowMs))
        parser_.Reset();
    return frames;
}

// Power lost and regained is a fresh start, whatever the firmware was doing.
void VirtualTarget::FollowPower() {
    if (unit_.PowerUps() == seenPowerUps_)
        return;
    seenPowerUps_ = unit_.PowerUps();
    restartEndsMs_ = std::numeric_limits<qint64>::min();
    parser_.Reset();
    firmware_.Boot();
    qCDebug(lcTarget) << "powered up";
}

std::optional<QByteArray> VirtualTarget::Respond(const CommandPacket& packet, qint64 nowMs) {
    const int count = ++packets_;
    if (Hits(faults_.statusErrorEveryNth, count)) {
        qCDebug(lcTarget) << "refusing packet" << count << "opcode" << Qt::hex << packet.Opcode();
        return BuildReplyFrame(Firmware::Refusal(packet));
    }
    const Firmware::Outcome outcome = firmware_.Execute(packet, nowMs);
    if (outcome.restarted) {
        restartEndsMs_ = nowMs + restartTimeMs_;
        qCDebug(lcTarget) << "restarting until" << restartEndsMs_;
    }
    if (!outcome.reply)
        return std::nullopt;
    qCDebug(lcTarget) << "opcode" << Qt::hex << outcome.reply->opcode << "status"
                      << outcome.reply->status;
    if (faults_.silent || Hits(faults_.dropEveryNth, count))
        return std::nullopt;
    return BuildReplyFrame(*outcome.reply, Hits(faults_.corruptChecksumEveryNth, count));
}

bool VirtualTarget::LoadEeprom(const QString& path, QString* error) {
    if (!eeprom_.LoadFile(path, error))
        return false;
    firmware_.Boot();
    firmware_.SetClockFromEeprom(0);
    return true;
}

bool VirtualTarget::SaveEeprom(const QString& path, QString* error) const {
    return eeprom_.SaveFile(path, error);
}
