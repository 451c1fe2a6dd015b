#pragma once

#include <QByteArray>

#include <cstdint>
#include <vector>

// One command as the target received it, unstuffed and without the lead byte: opcode,
// argument bytes, and an XOR checksum over everything before it.
class CommandPacket {
public:
    explicit CommandPacket(QByteArray bytes) : bytes_(std::move(bytes)) {}

    std::uint8_t Opcode() const;
    bool ChecksumValid() const;
    // Bytes between the opcode and the checksum.
    int ArgumentCount() const;
    // Argument bytes from offset i (0 = the byte after the opcode); 0 beyond the arguments.
    std::uint8_t Arg8(int i) const;
    std::uint16_t Arg16(int i) const; // low byte first
    std::int16_t ArgS16(int i) const { return static_cast<std::int16_t>(Arg16(i)); }
    std::uint32_t Arg32(int i) const;
    QByteArray Arguments(int from, int count) const;

private:
    QByteArray bytes_;
};

// Cuts the byte stream from the station into command packets: STX, lead byte 0x14, stuffed
// command bytes, STX. Bytes outside packets are ignored. An STX that closes something that is no
// packet (nothing in it, or no lead byte) is taken as the opening of the next one instead, so
// stray bytes or an empty STX STX cost at most what they touched; an over-long packet is dropped
// up to the next STX.
class PacketParser {
public:
    // The longest command (a ramp template) has 35 bytes; anything far longer is noise.
    static constexpr int kMaxPacketBytes = 64;

    std::vector<CommandPacket> Feed(const QByteArray& bytes);
    void Reset();
    int Dropped() const { return dropped_; } // over-long or lead-less packets so far

private:
    enum class State { kOutside, kInside, kDiscarding };

    void Put(std::uint8_t b, std::vector<CommandPacket>& packets);
    void Close(std::vector<CommandPacket>& packets);
    void Open();

    State state_ = State::kOutside;
    bool escaped_ = false;
    QByteArray packet_; // lead byte and command bytes, unstuffed
    int dropped_ = 0;
};
