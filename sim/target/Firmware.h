#pragma once

#include "sim/target/CommandPacket.h"
#include "sim/target/EepromImage.h"
#include "sim/target/FirmwareState.h"
#include "sim/target/ReplyFrame.h"
#include "sim/target/TargetClock.h"

#include <optional>

class UnitModel;

// The status and data of one answer; the dispatcher adds opcode and index.
struct Answer {
    std::uint8_t status = kStatusOk;
    QByteArray data;

    static Answer Ok(QByteArray data = {}) { return {kStatusOk, std::move(data)}; }
    static Answer BadArgument() { return {kStatusBadArgument, {}}; }
};

// The target's firmware: executes one command packet against its working memory, its EEPROM
// and the unit's radio, and says what to answer. The handlers live in one file per command
// family.
class Firmware {
public:
    struct Outcome {
        std::optional<Reply> reply; // none: the command is not answered
        bool restarted = false;     // "se 300": the firmware has started again
    };

    static inline const QByteArray kDefaultSoftwareVersion = "SIMFW V1.00";

    Firmware(UnitModel& unit, EepromImage& eeprom);

    Outcome Execute(const CommandPacket& packet, qint64 nowMs);
    // A command refused by an injected fault: not executed, status kStatusRefused.
    static Reply Refusal(const CommandPacket& packet);
    // Start-up: working memory from the EEPROM (the defaults where it holds none), the volatile
    // state cleared, the radio off. Uncommitted values are lost.
    void Boot();
    // The clock runs on the RTC's own battery: a restart keeps it, a new image sets it.
    void SetClockFromEeprom(qint64 nowMs);
    void SetSoftwareVersion(const QByteArray& version);

    int CommitCount() const { return commitCount_; }
    // Times the station switched the radio off or ended the call, as it does when it stops a
    // calibration (and between some of its steps).
    int SettleCount() const { return settleCount_; }
    const RfCalibration& Rf() const { return rf_; }
    const LogicSettings& Logic() const { return logic_; }
    // The volatile state the hands-on panels set: for tests that check what reached the target.
    const RadioControl& Control() const { return control_; }
    const Peripherals& Io() const { return io_; }

private:
    using Handler = Answer (Firmware::*)(const CommandPacket&);
    struct Command {
        std::uint8_t opcode;
        int argumentBytes; // -1: one or more
        Handler handler;
    };
    static const Command* Find(std::uint8_t opcode);

    // FirmwareRf.cpp: rfpw, rfpr, rftw, rftr, rxpw, rxpr
    Answer RfParamWrite(const CommandPacket& packet);
    Answer RfParamRead(const CommandPacket& packet);
    Answer RfTableWrite(const CommandPacket& packet);
    Answer RfTableRead(const CommandPacket& packet);
    Answer RxParamWrite(const CommandPacket& packet);
    Answer RxParamRead(const CommandPacket& packet);
    ParameterSet* ParameterSetAt(int index);
    int* RxParamAt(int index);

    // FirmwareTx.cpp: txpw, txpr, ttw, ttr
    Answer TxParamWrite(const CommandPacket& packet);
    Answer TxParamRead(const CommandPacket& packet);
    Answer TemplateWrite(const CommandPacket& packet);
    Answer TemplateRead(const CommandPacket& packet);
    bool SetPowerLevel(int level);
    std::size_t GsmColumn() const;
    std::size_t DcsColumn() const;
    std::uint16_t& GsmDac(int subBand);
    std::uint16_t& DcsDac(int subBand);
    std::uint16_t& FirstSubBandDac();
    int DacInEffect() const;

    // FirmwareSpecialParams.cpp: spw, spr
    Answer SpecialParamWrite(const CommandPacket& packet);
    Answer SpecialParamRead(const CommandPacket& packet);
    std::uint16_t* SubBandDac(int index);
    int* PlainParam(int index);
    std::uint8_t* LcdSetting(int index);
    Answer TuneReceiver(int index, int arfcn);
    Answer WriteRxCorrection(std::int16_t correction);

    // FirmwareSpecialTables.cpp: stw, str
    Answer SpecialTableWrite(const CommandPacket& packet);
    Answer SpecialTableRead(const CommandPacket& packet);

    // FirmwareEnables.cpp: se, rfe, ti, tms, vg, sr, scw, scr, mpw, mpr, the test code
    Answer SpecialEnable(const CommandPacket& packet);
    Answer RfEnable(const CommandPacket& packet);
    Answer TestModeInit(const CommandPacket& packet);
    Answer TestModeSet(const CommandPacket& packet);
    Answer Acknowledge(const CommandPacket& packet);
    Answer StatsRead(const CommandPacket& packet);
    Answer StatsConfigWrite(const CommandPacket& packet);
    Answer StatsConfigRead(const CommandPacket& packet);
    Answer MemoryParamWrite(const CommandPacket& packet);
    Answer MemoryParamRead(const CommandPacket& packet);
    Answer TestCode(const CommandPacket& packet);
    void EraseRf();
    void EraseAll();

    void PushRadio();
    void StampSoftwareVersion();

    UnitModel& unit_;
    EepromImage& eeprom_;
    RfCalibration rf_;
    LogicSettings logic_;
    RadioControl control_;
    Peripherals io_;
    TargetClock clock_;
    QByteArray softwareVersion_ = kDefaultSoftwareVersion;
    qint64 nowMs_ = 0;
    bool restartRequested_ = false;
    int commitCount_ = 0;
    int settleCount_ = 0;
};
