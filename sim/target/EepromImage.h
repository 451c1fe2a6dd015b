#pragma once

#include "sim/target/FirmwareState.h"

#include <QByteArray>
#include <QString>

#include <optional>

// The virtual target's EEPROM: 2560 bytes (0x000..0x9FF, the range the EEPROM map viewer reads
// in 40 blocks of 64), erased to 0xFF. Multi-byte values are little-endian.
//
//   address  bytes  content                                              written by
//   -- RF calibration area 0x000..0x5FF: committed by "se 1", erased by "se 5" and "se 6"
//   0x000      1    RF area marker: 0xA5 once committed; else the firmware defaults apply
//   0x002      2    INIT_AFC, s16, 1/8 DAC units                          rfpw 10
//   0x004     10    GMAGIC set GSM, 5 x u16                               rftw 31
//   0x00E     10    GMAGIC set DCS, 5 x u16                               rftw 47
//   0x018     34    RX corrections, 17 x s16, 2 units per dB, channels    spw 11
//                   1 20 40 62 80 100 124 512 585 660 700 790 835 885 975 1000 1023
//   0x040    160    GSM APC DACs, u16 [sub-band 1, 2, 3, extended][PCL 0..19]
//                                                            txpw 4, spw 21, spw 22, spw 23
//   0x0E0    114    DCS APC DACs, u16 [sub-band 1, 2, 3][PCL 0..15, 29..31]
//                                                                    txpw 4, spw 31, spw 32
//   0x180    992    ramp templates 0..30, 32 x s8 each (16 up, 16 down)  ttw
//   -- logic area 0x600..0x63F: committed by "se 11", erased by "se 6"
//   0x600      1    logic area marker: 0xA5 once committed
//   0x601      2    battery calibration point, u16 ADC counts             spw 54
//   0x603      1    main LCD contrast                                     spw 51
//   0x604      1    sub LCD volume                                        spw 52
//   0x605      1    sub LCD V0                                            spw 53
//   -- identity area 0x640..0x67F: written at once (the IMEI tool never saves), erased by
//   -- "se 6"; 0xFF bytes mean never written
//   0x640      8    IMEI: byte k = d(2k+2) << 4 | d(2k+1), byte 7 = d15   stw 60
//   0x648      3    serial number, six BCD digits                         stw 61
//   0x64B      3    hardware version, three characters                    stw 11
//   0x64E      7    clock setting: weekday (0 Sunday), year - 2000, month, day, hour,
//                   minute, second                                        stw 20
//   0x655      1    region: 1 HK, 2 CH                                    spw 100
//   0x660     14    software version, NUL padded: stamped by the firmware at start and
//                   after an erase                                        (str 10 reads it)
//   0x680..0x9FF    unused
class EepromImage {
public:
    static constexpr int kSize = 2560;
    static constexpr int kRfAreaEnd = 0x600;
    static constexpr int kImeiAddress = 0x640;
    static constexpr int kImeiBytes = 8;
    static constexpr int kSerialAddress = 0x648;
    static constexpr int kSerialBytes = 3;
    static constexpr int kHardwareVersionAddress = 0x64B;
    static constexpr int kHardwareVersionBytes = 3;
    static constexpr int kClockAddress = 0x64E;
    static constexpr int kClockBytes = 7;
    static constexpr int kRegionAddress = 0x655;
    static constexpr int kSoftwareVersionAddress = 0x660;
    static constexpr int kSoftwareVersionBytes = 14;

    EepromImage(); // erased

    void EraseAll();
    void EraseRfArea();
    void StoreRf(const RfCalibration& rf);
    std::optional<RfCalibration> LoadRf() const; // none until the area was committed
    void StoreLogic(const LogicSettings& logic);
    std::optional<LogicSettings> LoadLogic() const;

    // Bytes past the end read as erased.
    QByteArray Read(int address, int count) const;
    void Write(int address, const QByteArray& bytes);
    const QByteArray& Bytes() const { return bytes_; }

    // A missing file is an erased EEPROM (a fresh unit); a file of another size is an error.
    bool LoadFile(const QString& path, QString* error);
    bool SaveFile(const QString& path, QString* error) const;

private:
    QByteArray bytes_;
};
