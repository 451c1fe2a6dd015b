#include "sim/model/Arfcn.h"
#include "sim/model/UnitModel.h"
#include "sim/target/ByteHelpers.h"
#include "sim/target/Firmware.h"

// The special parameters (spw/spr): receiver tuning and correction, the APC DACs of the other
// sub-bands, the logic test switches, the battery, the EEPROM viewer's address and the region.

using namespace target_bytes;

namespace {

enum SpecialParam {
    kCallChannel = 1,
    kRxCorrection = 11,
    kRxTestChannel = 14,
    kAgcSetting = 15,
    kGsmSubBand2Dac = 21,
    kGsmSubBand3Dac = 22,
    kGsmExtendedDac = 23,
    kDcsSubBand2Dac = 31,
    kDcsSubBand3Dac = 32,
    kMainLcdContrast = 51,
    kSubLcdVolume = 52,
    kSubLcdV0 = 53,
    kBattery = 54, // write: the calibration point; read: the ADC now
    kEepromAddress = 55,
    kLedTest = 56,
    kMicLoop = 72,
    kToneGain = 73,
    kToneOn = 74,
    kRegion = 100,
};

} // namespace

std::uint16_t* Firmware::SubBandDac(int index) {
    switch (index) {
    case kGsmSubBand2Dac:
        return &GsmDac(2);
    case kGsmSubBand3Dac:
        return &GsmDac(3);
    case kGsmExtendedDac:
        return &GsmDac(4);
    case kDcsSubBand2Dac:
        return &DcsDac(2);
    case kDcsSubBand3Dac:
        return &DcsDac(3);
    default:
        return nullptr;
    }
}

int* Firmware::PlainParam(int index) {
    switch (index) {
    case kAgcSetting:
        return &control_.agcSetting;
    case kLedTest:
        return &io_.ledPattern;
    case kMicLoop:
        return &io_.micLoop;
    case kToneGain:
        return &io_.toneGain;
    case kToneOn:
        return &io_.toneOn;
    default:
        return nullptr;
    }
}

std::uint8_t* Firmware::LcdSetting(int index) {
    switch (index) {
    case kMainLcdContrast:
        return &logic_.mainLcdContrast;
    case kSubLcdVolume:
        return &logic_.subLcdVolume;
    case kSubLcdV0:
        return &logic_.subLcdV0;
    default:
        return nullptr;
    }
}

Answer Firmware::TuneReceiver(int index, int arfcn) {
    if (BandOf(arfcn) == RadioBand::kNone)
        return Answer::BadArgument();
    (index == kCallChannel ? control_.callChannel : control_.rxTestChannel) = arfcn;
    control_.rxChannel = arfcn;
    return Answer::Ok();
}

// The correction belongs to the calibrated channel nearest the one the receiver is on.
Answer Firmware::WriteRxCorrection(std::int16_t correction) {
    const int slot = RxCalSlot(control_.rxChannel);
    if (slot < 0)
        return Answer::BadArgument();
    rf_.rxCorrection[static_cast<std::size_t>(slot)] = correction;
    return Answer::Ok();
}

Answer Firmware::SpecialParamWrite(const CommandPacket& packet) {
    const int index = packet.Arg16(0);
    const std::uint16_t value = packet.Arg16(2);
    if (std::uint16_t* dac = SubBandDac(index)) {
        if (value > kMaxDac)
            return Answer::BadArgument();
        *dac = value;
        return Answer::Ok();
    }
    if (int* plain = PlainParam(index)) {
        *plain = value;
        return Answer::Ok();
    }
    if (std::uint8_t* lcd = LcdSetting(index)) {
        if (value > 0xFF)
            return Answer::BadArgument();
        *lcd = static_cast<std::uint8_t>(value);
        return Answer::Ok();
    }
    switch (index) {
    case kCallChannel:
    case kRxTestChannel:
        return TuneReceiver(index, value);
    case kRxCorrection:
        return WriteRxCorrection(packet.ArgS16(2));
    case kBattery:
        logic_.batteryCalibration = value;
        return Answer::Ok();
    case kEepromAddress:
        io_.eepromAddress = value; // past the end the viewer reads erased bytes
        return Answer::Ok();
    case kRegion:
        // Written at once: the IMEI tool sets the region and never saves.
        if (value > 0xFF)
            return Answer::BadArgument();
        eeprom_.Write(EepromImage::kRegionAddress, QByteArray(1, static_cast<char>(value)));
        return Answer::Ok();
    default:
        return Answer::BadArgument();
    }
}

Answer Firmware::SpecialParamRead(const CommandPacket& packet) {
    const int index = packet.Arg16(0);
    if (const std::uint16_t* dac = SubBandDac(index))
        return Answer::Ok(WordBytes(*dac));
    if (const int* plain = PlainParam(index))
        return Answer::Ok(WordBytes(*plain));
    if (const std::uint8_t* lcd = LcdSetting(index))
        return Answer::Ok(WordBytes(*lcd));
    switch (index) {
    case kCallChannel:
        return Answer::Ok(WordBytes(control_.callChannel));
    case kRxTestChannel:
        return Answer::Ok(WordBytes(control_.rxTestChannel));
    case kRxCorrection: {
        const int slot = RxCalSlot(control_.rxChannel);
        return Answer::Ok(
            WordBytes(slot < 0 ? 0 : rf_.rxCorrection[static_cast<std::size_t>(slot)]));
    }
    case kBattery:
        return Answer::Ok(WordBytes(unit_.ReadBatteryAdc()));
    case kEepromAddress:
        return Answer::Ok(WordBytes(io_.eepromAddress));
    case kRegion:
        return Answer::Ok(WordBytes(At(eeprom_.Read(EepromImage::kRegionAddress, 1), 0)));
    default:
        return Answer::BadArgument();
    }
}
