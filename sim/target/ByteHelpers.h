#pragma once

#include <QByteArray>

#include <cstdint>

// Plain byte helpers of the virtual target. The target keeps its own, apart from the station's
// link code, so that a fault in the station's codec shows up in tests instead of being mirrored.

namespace target_bytes {

inline constexpr std::uint8_t kStx = 0x02;
inline constexpr std::uint8_t kDle = 0x10;
inline constexpr std::uint8_t kLead = 0x14;

inline std::uint8_t At(const QByteArray& bytes, qsizetype i) {
    return i >= 0 && i < bytes.size() ? static_cast<std::uint8_t>(bytes[i]) : 0;
}

inline std::uint16_t U16le(const QByteArray& bytes, qsizetype i) {
    return static_cast<std::uint16_t>(At(bytes, i) | (At(bytes, i + 1) << 8));
}

inline void AppendU8(QByteArray& bytes, std::uint8_t value) {
    bytes.append(static_cast<char>(value));
}

inline void AppendU16le(QByteArray& bytes, std::uint16_t value) {
    AppendU8(bytes, static_cast<std::uint8_t>(value));
    AppendU8(bytes, static_cast<std::uint8_t>(value >> 8));
}

inline void AppendU16be(QByteArray& bytes, std::uint16_t value) {
    AppendU8(bytes, static_cast<std::uint8_t>(value >> 8));
    AppendU8(bytes, static_cast<std::uint8_t>(value));
}

// The low 16 bits of a value, low byte first: the form of every parameter read.
inline QByteArray WordBytes(int value) {
    QByteArray bytes;
    AppendU16le(bytes, static_cast<std::uint16_t>(value));
    return bytes;
}

inline void AppendU32le(QByteArray& bytes, std::uint32_t value) {
    AppendU16le(bytes, static_cast<std::uint16_t>(value));
    AppendU16le(bytes, static_cast<std::uint16_t>(value >> 16));
}

inline std::uint8_t Xor(const QByteArray& bytes, qsizetype count) {
    std::uint8_t sum = 0;
    for (qsizetype i = 0; i < count && i < bytes.size(); ++i)
        sum = static_cast<std::uint8_t>(sum ^ At(bytes, i));
    return sum;
}

} // namespace target_bytes
