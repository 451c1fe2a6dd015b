#include "sim/model/UnitModel.h"
#include "sim/target/ByteHelpers.h"
#include "sim/target/Firmware.h"

#include <algorithm>
#include <cmath>

// The special enables (se), RF enable (rfe), test mode (ti, tms), vg, the statistics (sr, scw,
// scr), the memory parameters (mpw, mpr) and the test code.

using namespace target_bytes;

namespace {

enum SpecialEnable {
    kCommitRf = 1,
    kEraseRf = 5,
    kEraseAll = 6,
    kCommitLogic = 11,
    kRxContinuous = 30,
    kLcdTest = 50,
    kSubLcdTest = 51,
    kBacklightOn = 53,
    kBacklightOff = 54,
    kVibrator = 56,
    kKeyTest = 59,
    kStartCall = 100,
    kEndCall = 101,
    kRestart = 300,
};

enum RfMode {
    kRfOff = 0,
    kReceiver = 1,
    kAfcTransmitter = 3,
    kTransmitter = 6,
    kCalTransmitter = 7
};

enum StatsType { kRxLevel = 1, kPowerMeasurement = 2, kBoth = 3 };
constexpr int kStatsBlock = 1;
constexpr double kPmScale = 64.0; // PM values travel in 1/64 dB

std::uint16_t HalfUnits(double db) {
    return static_cast<std::uint16_t>(std::clamp(std::floor(db * 2.0), 0.0, 65535.0));
}

std::uint16_t PmUnits(double db) {
    return static_cast<std::uint16_t>(std::clamp(std::lround(db * kPmScale), 0L, 65535L));
}

} // namespace

Answer Firmware::SpecialEnable(const CommandPacket& packet) {
    switch (packet.Arg16(0)) {
    case kCommitRf:
        eeprom_.StoreRf(rf_);
        ++commitCount_;
        return Answer::Ok();
    case kEraseRf:
        EraseRf();
        return Answer::Ok();
    case kEraseAll:
        EraseAll();
        return Answer::Ok();
    case kCommitLogic:
        eeprom_.StoreLogic(logic_);
        return Answer::Ok();
    case kRxContinuous:
        control_.rxContinuous = true;
        control_.rxChannel = control_.rxTestChannel;
        return Answer::Ok();
    case kBacklightOn:
    case kBacklightOff:
        io_.backlight = packet.Arg16(0) == kBacklightOn;
        return Answer::Ok();
    case kLcdTest:
    case kSubLcdTest:
    case kVibrator:
    case kKeyTest:
        return Answer::Ok(); // shown, felt or pressed on the phone; nothing to read back
    case kStartCall:
        control_.callRequested = true;
        control_.rxChannel = control_.callChannel;
        return Answer::Ok();
    case kEndCall:
        control_.callRequested = false;
        ++settleCount_;
        return Answer::Ok();
    case kRestart:
        restartRequested_ = true;
        return Answer::Ok();
    default:
        return Answer::BadArgument();
    }
}

void Firmware::EraseRf() {
    eeprom_.EraseRfArea();
    rf_ = RfCalibration::Defaults();
}

void Firmware::EraseAll() {
    eeprom_.EraseAll();
    StampSoftwareVersion();
    rf_ = RfCalibration::Defaults();
    logic_ = {};
}

Answer Firmware::RfEnable(const CommandPacket& packet) {
    const int mode = packet.Arg8(0);
    switch (mode) {
    case kRfOff:
        control_.rxContinuous = false;
        ++settleCount_;
        [[fallthrough]];
    case kReceiver:
    case kAfcTransmitter:
    case kTransmitter:
    case kCalTransmitter:
        control_.rfMode = mode;
        return Answer::Ok();
    default:
        return Answer::BadArgument();
    }
}

Answer Firmware::TestModeInit(const CommandPacket&) {
    control_.rfMode = kRfOff;
    control_.rxContinuous = false;
    control_.testMode = 0;
    return Answer::Ok();
}

Answer Firmware::TestModeSet(const CommandPacket& packet) {
    control_.testMode = packet.Arg8(0);
    return Answer::Ok();
}

Answer Firmware::Acknowledge(const CommandPacket&) {
    return Answer::Ok();
}

// Byte 5 of the reply echoes the high byte of the block number and byte 6 the type; the RX
// level follows big-endian in half dB, the PM value little-endian in 1/64 dB.
Answer Firmware::StatsRead(const CommandPacket& packet) {
    const int type = packet.Arg16(2);
    if (packet.Arg16(0) != kStatsBlock || type < kRxLevel || type > kBoth)
        return Answer::BadArgument();
    QByteArray data;
    AppendU8(data, packet.Arg8(1));
    AppendU8(data, static_cast<std::uint8_t>(type));
    if (type == kPowerMeasurement)
        AppendU8(data, 0);
    else
        AppendU16be(data, HalfUnits(unit_.RxLevelDb()));
    if (type != kRxLevel)
        AppendU16le(data, PmUnits(unit_.PowerMeasurement()));
    return Answer::Ok(data);
}

Answer Firmware::StatsConfigWrite(const CommandPacket& packet) {
    const std::uint32_t item = packet.Arg32(0);
    if (item >= io_.statsConfig.size())
        return Answer::BadArgument();
    io_.statsConfig[item] = packet.Arg32(4);
    return Answer::Ok();
}

Answer Firmware::StatsConfigRead(const CommandPacket& packet) {
    QByteArray data;
    AppendU32le(data, io_.statsConfig[packet.Arg8(0)]);
    return Answer::Ok(data);
}

Answer Firmware::MemoryParamWrite(const CommandPacket& packet) {
    const int item = packet.Arg16(0);
    if (item >= static_cast<int>(io_.memoryParams.size()))
        return Answer::BadArgument();
    io_.memoryParams[static_cast<std::size_t>(item)] = packet.Arg16(2);
    return Answer::Ok();
}

Answer Firmware::MemoryParamRead(const CommandPacket& packet) {
    return Answer::Ok(WordBytes(io_.memoryParams[packet.Arg8(0)]));
}

// "11": the opcode and nine more 0x01 bytes.
Answer Firmware::TestCode(const CommandPacket& packet) {
    for (int i = 0; i < packet.ArgumentCount(); ++i) {
        if (packet.Arg8(i) != 0x01)
            return Answer::BadArgument();
    }
    return Answer::Ok();
}
