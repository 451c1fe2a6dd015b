#include "sim/target/ByteHelpers.h"
#include "sim/target/Firmware.h"

// TX parameters (txpw/txpr) and the ramp templates (ttw/ttr). A DAC belongs to a band, a
// sub-band and a power level: "txpw 1" picks the level (and with it the band), "txpw 4" writes
// sub-band 1 of that band, the special parameters 21 to 32 the other sub-bands.

using namespace target_bytes;

namespace {

enum TxParam { kPowerLevel = 1, kApcDac = 4, kRampIndex = 5 };

std::size_t Row(int subBand) {
    return static_cast<std::size_t>(subBand - 1);
}

} // namespace

bool Firmware::SetPowerLevel(int level) {
    if (IsGsmLevel(level)) {
        control_.gsmLevel = level;
        control_.dcsLevelActive = false;
    } else if (DcsLevelSlot(level) >= 0) {
        control_.dcsLevel = level;
        control_.dcsLevelActive = true;
    } else {
        return false;
    }
    control_.rampIndex = RampIndexForLevel(level);
    return true;
}

std::size_t Firmware::GsmColumn() const {
    return static_cast<std::size_t>(control_.gsmLevel);
}

std::size_t Firmware::DcsColumn() const {
    return static_cast<std::size_t>(DcsLevelSlot(control_.dcsLevel));
}

std::uint16_t& Firmware::GsmDac(int subBand) {
    return rf_.gsmDac[Row(subBand)][GsmColumn()];
}

std::uint16_t& Firmware::DcsDac(int subBand) {
    return rf_.dcsDac[Row(subBand)][DcsColumn()];
}

std::uint16_t& Firmware::FirstSubBandDac() {
    return control_.dcsLevelActive ? DcsDac(1) : GsmDac(1);
}

// The TCH channel's band and sub-band choose the table, the band's last level the column.
int Firmware::DacInEffect() const {
    if (const int subBand = GsmSubBand(control_.tchChannel))
        return rf_.gsmDac[Row(subBand)][GsmColumn()];
    if (const int subBand = DcsSubBand(control_.tchChannel))
        return rf_.dcsDac[Row(subBand)][DcsColumn()];
    return 0;
}

Answer Firmware::TxParamWrite(const CommandPacket& packet) {
    const std::uint16_t value = packet.Arg16(2); // after the index and a 0x00
    switch (packet.Arg8(0)) {
    case kPowerLevel:
        return SetPowerLevel(value) ? Answer::Ok() : Answer::BadArgument();
    case kApcDac:
        if (value > kMaxDac)
            return Answer::BadArgument();
        FirstSubBandDac() = value;
        return Answer::Ok();
    case kRampIndex:
        if (value >= kRampTemplates)
            return Answer::BadArgument();
        control_.rampIndex = value;
        return Answer::Ok();
    default:
        return Answer::BadArgument();
    }
}

Answer Firmware::TxParamRead(const CommandPacket& packet) {
    switch (packet.Arg8(0)) {
    case kPowerLevel:
        return Answer::Ok(
            WordBytes(control_.dcsLevelActive ? control_.dcsLevel : control_.gsmLevel));
    case kApcDac:
        return Answer::Ok(WordBytes(FirstSubBandDac()));
    case kRampIndex:
        return Answer::Ok(WordBytes(control_.rampIndex));
    default:
        return Answer::BadArgument();
    }
}

Answer Firmware::TemplateWrite(const CommandPacket& packet) {
    const int index = packet.Arg8(0);
    if (index >= kRampTemplates)
        return Answer::BadArgument();
    RampTemplate& ramp = rf_.ramps[static_cast<std::size_t>(index)];
    for (int i = 0; i < kRampSteps; ++i)
        ramp[static_cast<std::size_t>(i)] = static_cast<std::int8_t>(packet.Arg8(1 + i));
    return Answer::Ok();
}

Answer Firmware::TemplateRead(const CommandPacket& packet) {
    const int index = packet.Arg8(0);
    if (index >= kRampTemplates || packet.Arg8(1) != kRampSteps)
        return Answer::BadArgument();
    QByteArray data;
    for (std::int8_t step : rf_.ramps[static_cast<std::size_t>(index)])
        AppendU8(data, static_cast<std::uint8_t>(step));
    return Answer::Ok(data);
}
