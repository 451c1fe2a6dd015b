#include "sim/target/EepromImage.h"

#include "sim/target/ByteHelpers.h"

#include <QFile>
#include <QSaveFile>

#include <type_traits>

using namespace target_bytes;

namespace {

constexpr char kErased = static_cast<char>(0xFF);
constexpr std::uint8_t kCommitted = 0xA5;

constexpr int kRfMarker = 0x000;
constexpr int kInitAfc = 0x002;
constexpr int kGmagicGsm = 0x004;
constexpr int kGmagicDcs = 0x00E;
constexpr int kRxCorrections = 0x018;
constexpr int kGsmDacs = 0x040;
constexpr int kDcsDacs = 0x0E0;
constexpr int kRamps = 0x180;
constexpr int kLogicMarker = 0x600;
constexpr int kBatteryCalibration = 0x601;
constexpr int kMainLcdContrast = 0x603;
constexpr int kSubLcdVolume = 0x604;
constexpr int kSubLcdV0 = 0x605;

static_assert(kDcsDacs + 2 * kDcsSubBands * kDcsPowerLevels <= kRamps);
static_assert(kRamps + kRampTemplates * kRampSteps <= EepromImage::kRfAreaEnd);
static_assert(EepromImage::kSoftwareVersionAddress + EepromImage::kSoftwareVersionBytes <=
              EepromImage::kSize);

// Sequential little-endian writes and reads from an address.
class Writer {
public:
    Writer(QByteArray& bytes, int address) : bytes_(bytes), at_(address) {}

    void Put8(std::uint8_t value) { bytes_[at_++] = static_cast<char>(value); }
    void Put16(std::uint16_t value) {
        Put8(static_cast<std::uint8_t>(value));
        Put8(static_cast<std::uint8_t>(value >> 8));
    }
    template <typename Values> void PutWords(const Values& values) {
        for (auto value : values)
            Put16(static_cast<std::uint16_t>(value));
    }

private:
    QByteArray& bytes_;
    int at_;
};

class Reader {
public:
    Reader(const QByteArray& bytes, int address) : bytes_(bytes), at_(address) {}

    std::uint8_t Get8() { return At(bytes_, at_++); }
    std::uint16_t Get16() {
        const std::uint16_t value = U16le(bytes_, at_);
        at_ += 2;
        return value;
    }
    template <typename Values> void GetWords(Values& values) {
        for (auto& value : values)
            value = static_cast<std::remove_reference_t<decltype(value)>>(Get16());
    }

private:
    const QByteArray& bytes_;
    int at_;
};

} // namespace

EepromImage::EepromImage() : bytes_(kSize, kErased) {}

void EepromImage::EraseAll() {
    bytes_.fill(kErased);
}

void EepromImage::EraseRfArea() {
    bytes_.replace(0, kRfAreaEnd, QByteArray(kRfAreaEnd, kErased));
}

void EepromImage::StoreRf(const RfCalibration& rf) {
    bytes_[kRfMarker] = static_cast<char>(kCommitted);
    Writer(bytes_, kInitAfc).Put16(static_cast<std::uint16_t>(rf.initAfc));
    Writer(bytes_, kGmagicGsm).PutWords(rf.gmagicGsm);
    Writer(bytes_, kGmagicDcs).PutWords(rf.gmagicDcs);
    Writer(bytes_, kRxCorrections).PutWords(rf.rxCorrection);
    Writer gsm(bytes_, kGsmDacs);
    for (const auto& subBand : rf.gsmDac)
        gsm.PutWords(subBand);
    Writer dcs(bytes_, kDcsDacs);
    for (const auto& subBand : rf.dcsDac)
        dcs.PutWords(subBand);
    Writer ramps(bytes_, kRamps);
    for (const RampTemplate& ramp : rf.ramps)
        for (std::int8_t step : ramp)
            ramps.Put8(static_cast<std::uint8_t>(step));
}

std::optional<RfCalibration> EepromImage::LoadRf() const {
    if (At(bytes_, kRfMarker) != kCommitted)
        return std::nullopt;
    RfCalibration rf;
    rf.initAfc = static_cast<std::int16_t>(U16le(bytes_, kInitAfc));
    Reader(bytes_, kGmagicGsm).GetWords(rf.gmagicGsm);
    Reader(bytes_, kGmagicDcs).GetWords(rf.gmagicDcs);
    Reader(bytes_, kRxCorrections).GetWords(rf.rxCorrection);
    Reader gsm(bytes_, kGsmDacs);
    for (auto& subBand : rf.gsmDac)
        gsm.GetWords(subBand);
    Reader dcs(bytes_, kDcsDacs);
    for (auto& subBand : rf.dcsDac)
        dcs.GetWords(subBand);
    Reader ramps(bytes_, kRamps);
    for (RampTemplate& ramp : rf.ramps)
        for (std::int8_t& step : ramp)
            step = static_cast<std::int8_t>(ramps.Get8());
    return rf;
}

void EepromImage::StoreLogic(const LogicSettings& logic) {
    bytes_[kLogicMarker] = static_cast<char>(kCommitted);
    Writer(bytes_, kBatteryCalibration).Put16(logic.batteryCalibration);
    bytes_[kMainLcdContrast] = static_cast<char>(logic.mainLcdContrast);
    bytes_[kSubLcdVolume] = static_cast<char>(logic.subLcdVolume);
    bytes_[kSubLcdV0] = static_cast<char>(logic.subLcdV0);
}

std::optional<LogicSettings> EepromImage::LoadLogic() const {
    if (At(bytes_, kLogicMarker) != kCommitted)
        return std::nullopt;
    LogicSettings logic;
    logic.batteryCalibration = U16le(bytes_, kBatteryCalibration);
    logic.mainLcdContrast = At(bytes_, kMainLcdContrast);
    logic.subLcdVolume = At(bytes_, kSubLcdVolume);
    logic.subLcdV0 = At(bytes_, kSubLcdV0);
    return logic;
}

QByteArray EepromImage::Read(int address, int count) const {
    QByteArray block(count, kErased);
    for (int i = 0; i < count; ++i) {
        if (address + i >= 0 && address + i < kSize)
            block[i] = bytes_[address + i];
    }
    return block;
}

void EepromImage::Write(int address, const QByteArray& bytes) {
    for (int i = 0; i < bytes.size(); ++i) {
        if (address + i >= 0 && address + i < kSize)
            bytes_[address + i] = bytes[i];
    }
}

bool EepromImage::LoadFile(const QString& path, QString* error) {
    QFile file(path);
    if (!file.exists()) {
        EraseAll();
        return true;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("%1: %2").arg(path, file.errorString());
        return false;
    }
    const QByteArray bytes = file.read(kSize + 1);
    if (bytes.size() != kSize) {
        *error = QStringLiteral("%1: %2 bytes, an EEPROM image has %3")
                     .arg(path)
                     .arg(bytes.size())
                     .arg(kSize);
        return false;
    }
    bytes_ = bytes;
    return true;
}

bool EepromImage::SaveFile(const QString& path, QString* error) const {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes_) != kSize || !file.commit()) {
        *error = QStringLiteral("%1: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}
