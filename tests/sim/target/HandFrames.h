#pragma once

#include <QByteArray>

#include <cstdint>
#include <vector>

// Packets and replies built and taken apart by hand, from the wire format alone, so that the
// virtual target's tests depend on neither its own codec nor the station's.

using Bytes = std::vector<std::uint8_t>;

inline QByteArray Frame(const Bytes& body) {
    QByteArray frame("\x02\x14", 2);
    for (std::uint8_t b : body) {
        if (b == 0x02 || b == 0x10)
            frame.append('\x10');
        frame.append(static_cast<char>(b));
    }
    frame.append('\x02');
    return frame;
}

// A command packet: the bytes given, their XOR checksum, stuffed behind the lead byte.
inline QByteArray Packet(Bytes command) {
    std::uint8_t checksum = 0;
    for (std::uint8_t b : command)
        checksum ^= b;
    command.push_back(checksum);
    return Frame(command);
}

struct HandReply {
    std::uint8_t opcode = 0;
    std::uint8_t status = 0;
    std::uint8_t index = 0;
    Bytes data;
    bool checksumOk = false;
    bool framed = false; // STX 0x14 ... STX with nothing left over
};

inline HandReply Parse(const QByteArray& frame) {
    HandReply reply;
    if (frame.size() < 2 || frame.front() != '\x02' || frame.back() != '\x02' || frame[1] != '\x14')
        return reply;
    Bytes body;
    for (qsizetype i = 2; i + 1 < frame.size(); ++i) {
        if (frame[i] == '\x10')
            ++i;
        body.push_back(static_cast<std::uint8_t>(frame[i]));
    }
    if (body.size() < 4)
        return reply;
    reply.framed = true;
    reply.opcode = body[0];
    reply.status = body[1];
    reply.index = body[2];
    reply.data.assign(body.begin() + 3, body.end() - 1);
    std::uint8_t checksum = 0;
    for (std::size_t i = 0; i + 1 < body.size(); ++i)
        checksum ^= body[i];
    reply.checksumOk = checksum == body.back();
    return reply;
}

inline int Word(const HandReply& reply, std::size_t at = 0) {
    return reply.data.size() < at + 2 ? -1 : reply.data[at] | reply.data[at + 1] << 8;
}
