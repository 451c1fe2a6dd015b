#pragma once

#include <QByteArray>

#include <cstdint>

// Status byte of a reply; the station treats every value but 0 as an error.
enum TargetStatus : std::uint8_t {
    kStatusOk = 0,
    kStatusBadChecksum = 1,
    kStatusUnknownCommand = 2,
    kStatusBadArgument = 3, // wrong length, unknown index or a value out of range
    kStatusRefused = 4,     // a fault injected on request
};

struct Reply {
    std::uint8_t opcode = 0;
    std::uint8_t status = kStatusOk;
    std::uint8_t index = 0;
    QByteArray data;
};

// STX 0x14 opcode status index data checksum STX, where the checksum is the XOR of opcode to
// last data byte and every byte after the lead byte is stuffed. corruptChecksum inverts the
// checksum byte, for the fault of that name.
QByteArray BuildReplyFrame(const Reply& reply, bool corruptChecksum = false);
