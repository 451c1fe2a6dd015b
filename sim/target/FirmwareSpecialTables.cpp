#include "sim/target/Firmware.h"

// The special tables (stw/str): versions, clock, EEPROM blocks, IMEI and serial number.
// Identity records go to the EEPROM as they are written; the IMEI tool has no save step.

namespace {

enum SpecialTable {
    kSoftwareVersion = 10,
    kHardwareVersion = 11,
    kClock = 20,
    kEepromBlock = 55,
    kImei = 60,
    kSerialNumber = 61,
};

constexpr int kEepromBlockBytes = 64;

struct Record {
    int table;
    int address;
    int bytes;
};

constexpr Record kRecords[] = {
    {kHardwareVersion, EepromImage::kHardwareVersionAddress, EepromImage::kHardwareVersionBytes},
    {kImei, EepromImage::kImeiAddress, EepromImage::kImeiBytes},
    {kSerialNumber, EepromImage::kSerialAddress, EepromImage::kSerialBytes},
    {kSoftwareVersion, EepromImage::kSoftwareVersionAddress, EepromImage::kSoftwareVersionBytes},
};

const Record* FindRecord(int table) {
    for (const Record& record : kRecords) {
        if (record.table == table)
            return &record;
    }
    return nullptr;
}

} // namespace

Answer Firmware::SpecialTableWrite(const CommandPacket& packet) {
    const int table = packet.Arg8(0);
    const int count = packet.ArgumentCount() - 1;
    const QByteArray bytes = packet.Arguments(1, count);
    if (table == kClock) {
        if (count != TargetClock::kBytes)
            return Answer::BadArgument();
        clock_.Set(bytes, nowMs_);
        eeprom_.Write(EepromImage::kClockAddress, bytes);
        return Answer::Ok();
    }
    // The software version is the firmware's own and cannot be written.
    const Record* record = FindRecord(table);
    if (record == nullptr || table == kSoftwareVersion || count != record->bytes)
        return Answer::BadArgument();
    eeprom_.Write(record->address, bytes);
    return Answer::Ok();
}

Answer Firmware::SpecialTableRead(const CommandPacket& packet) {
    const int table = packet.Arg8(0);
    if (table == kClock)
        return Answer::Ok(clock_.Read(nowMs_));
    if (table == kEepromBlock)
        return Answer::Ok(eeprom_.Read(io_.eepromAddress, kEepromBlockBytes));
    const Record* record = FindRecord(table);
    if (record == nullptr)
        return Answer::BadArgument();
    return Answer::Ok(eeprom_.Read(record->address, record->bytes));
}
