#include "sim/target/Firmware.h"

#include "sim/model/UnitModel.h"

Firmware::Firmware(UnitModel& unit, EepromImage& eeprom) : unit_(unit), eeprom_(eeprom) {
    Boot();
}

const Firmware::Command* Firmware::Find(std::uint8_t opcode) {
    static const Command kCommands[] = {
        {0x01, 9, &Firmware::TestCode},
        {0x20, 0, &Firmware::TestModeInit},
        {0x21, 1, &Firmware::TestModeSet},
        {0x22, 2, &Firmware::Acknowledge}, // vg
        {0x23, 2, &Firmware::RfEnable},
        {0x24, 4, &Firmware::StatsRead},
        {0x25, 8, &Firmware::StatsConfigWrite},
        {0x26, 1, &Firmware::StatsConfigRead},
        {0x30, 4, &Firmware::RfParamWrite},
        {0x31, 1, &Firmware::RfParamRead},
        {0x32, 1 + 2 * kParameterSetWords, &Firmware::RfTableWrite},
        {0x33, 1, &Firmware::RfTableRead},
        {0x34, 4, &Firmware::RxParamWrite},
        {0x35, 1, &Firmware::RxParamRead},
        {0x36, 4, &Firmware::TxParamWrite},
        {0x37, 1, &Firmware::TxParamRead},
        {0x38, 1 + kRampSteps, &Firmware::TemplateWrite},
        {0x39, 2, &Firmware::TemplateRead},
        {0x44, 4, &Firmware::MemoryParamWrite},
        {0x45, 1, &Firmware::MemoryParamRead},
        {0x50, 4, &Firmware::SpecialParamWrite},
        {0x51, 2, &Firmware::SpecialParamRead},
        {0x52, -1, &Firmware::SpecialTableWrite},
        {0x53, 1, &Firmware::SpecialTableRead},
        {0x54, 2, &Firmware::SpecialEnable},
    };
    for (const Command& command : kCommands) {
        if (command.opcode == opcode)
            return &command;
    }
    return nullptr;
}

Firmware::Outcome Firmware::Execute(const CommandPacket& packet, qint64 nowMs) {
    nowMs_ = nowMs;
    restartRequested_ = false;
    Reply reply{packet.Opcode(), kStatusOk, packet.Arg8(0), {}};
    const Command* command = Find(packet.Opcode());
    const int arguments = packet.ArgumentCount();
    if (!packet.ChecksumValid()) {
        reply.status = kStatusBadChecksum;
    } else if (command == nullptr) {
        reply.status = kStatusUnknownCommand;
    } else if (command->argumentBytes >= 0 ? arguments != command->argumentBytes : arguments < 1) {
        reply.status = kStatusBadArgument;
    } else {
        Answer answer = (this->*command->handler)(packet);
        reply.status = answer.status;
        reply.data = std::move(answer.data);
        PushRadio();
    }
    if (restartRequested_) {
        Boot();
        return {std::nullopt, true};
    }
    return {std::move(reply), false};
}

Reply Firmware::Refusal(const CommandPacket& packet) {
    return {packet.Opcode(), kStatusRefused, packet.Arg8(0), {}};
}

void Firmware::Boot() {
    rf_ = eeprom_.LoadRf().value_or(RfCalibration::Defaults());
    logic_ = eeprom_.LoadLogic().value_or(LogicSettings{});
    control_ = {};
    io_ = {};
    StampSoftwareVersion();
    PushRadio();
}

void Firmware::SetClockFromEeprom(qint64 nowMs) {
    const QByteArray setting = eeprom_.Read(EepromImage::kClockAddress, EepromImage::kClockBytes);
    if (setting != QByteArray(EepromImage::kClockBytes, static_cast<char>(0xFF)))
        clock_.Set(setting, nowMs);
}

void Firmware::SetSoftwareVersion(const QByteArray& version) {
    softwareVersion_ = version.left(EepromImage::kSoftwareVersionBytes);
    StampSoftwareVersion();
}

// The firmware keeps its version string in the EEPROM for the service tools to read.
void Firmware::StampSoftwareVersion() {
    QByteArray record = softwareVersion_;
    record.append(QByteArray(EepromImage::kSoftwareVersionBytes - record.size(), '\0'));
    eeprom_.Write(EepromImage::kSoftwareVersionAddress, record);
}

void Firmware::PushRadio() {
    RadioSetting radio;
    radio.txChannel = control_.tchChannel;
    radio.rxChannel = control_.rxChannel;
    radio.apcDac = DacInEffect();
    radio.transmitting = control_.rfMode == 3 || control_.rfMode == 6 || control_.rfMode == 7;
    radio.receiving = control_.rfMode == 1 || control_.rxContinuous;
    const int slot = RxCalSlot(control_.rxChannel);
    radio.rxCorrection = slot < 0 ? 0 : rf_.rxCorrection[static_cast<std::size_t>(slot)];
    radio.gmagicGsm = rf_.gmagicGsm[0];
    radio.gmagicDcs = rf_.gmagicDcs[0];
    unit_.SetRadio(radio);
    unit_.SetCallRequested(control_.callRequested);
}
