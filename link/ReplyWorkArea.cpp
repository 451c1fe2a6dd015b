#include "link/ReplyWorkArea.h"

#include "link/FrameCodec.h"

#include <algorithm>
#include <cstring>

namespace {
enum StatsSubType { kRxLevelOnly = 1, kPmValueOnly = 2, kRxLevelAndPmValue = 3 };
} // namespace

std::uint16_t MakeWord(const std::uint8_t* highFirst) {
    return static_cast<std::uint16_t>(highFirst[0] << 8 | highFirst[1]);
}

std::int16_t MakeSignedWord(const std::uint8_t* highFirst) {
    return static_cast<std::int16_t>(static_cast<std::int8_t>(highFirst[0]) * 256 + highFirst[1]);
}

ReplyWorkArea::ReplyWorkArea(const std::uint8_t* frame, int length, Stuffing stuffing)
    : receivedLength_(std::max(length, 0)) {
    // A frame longer than the work area is garbage; only its head is looked at.
    const int copied = frame != nullptr ? std::min(receivedLength_, kSize) : 0;
    if (copied <= 0)
        return;
    std::memcpy(bytes_, frame, static_cast<std::size_t>(copied));
    unstuffedLength_ =
        stuffing == Stuffing::AsReceived ? copied - RemoveStuffing(bytes_, copied) : copied;
}

std::uint8_t ReplyWorkArea::At(int i) const {
    return i >= 0 && i < kSize ? bytes_[i] : 0;
}

std::uint16_t ReplyWorkArea::U16le(int i) const {
    const std::uint8_t highFirst[2] = {At(i + 1), At(i)};
    return MakeWord(highFirst);
}

std::int16_t ReplyWorkArea::S16le(int i) const {
    const std::uint8_t highFirst[2] = {At(i + 1), At(i)};
    return MakeSignedWord(highFirst);
}

std::uint16_t ReplyWorkArea::U16be(int i) const {
    const std::uint8_t highFirst[2] = {At(i), At(i + 1)};
    return MakeWord(highFirst);
}

int ReplyWorkArea::DataCount() const {
    // Header (5) plus checksum and end (2); a short frame has no data rather than a negative
    // count, and a long one cannot read past the work area.
    return std::clamp(receivedLength_ - 7, 0, kSize - kDataStart);
}

std::optional<int> ReplyWorkArea::RxLevel() const {
    if (StatsSubType() != kRxLevelOnly && StatsSubType() != kRxLevelAndPmValue)
        return std::nullopt;
    // The level travels in half units; whole ones are kept, truncated.
    return static_cast<int>(U16be(7) / 2.0);
}

std::optional<double> ReplyWorkArea::PmValue() const {
    switch (StatsSubType()) {
    case kPmValueOnly:
        return U16le(8) / 64.0;
    case kRxLevelAndPmValue:
        return U16le(9) / 64.0;
    default:
        return std::nullopt;
    }
}

std::array<int, ReplyWorkArea::kGmagicWords> ReplyWorkArea::GmagicRow() const {
    std::array<int, kGmagicWords> row{};
    for (std::size_t i = 0; i < row.size(); ++i)
        row[i] = U16le(kDataStart + 2 * static_cast<int>(i));
    return row;
}

std::array<int, ReplyWorkArea::kRampValues> ReplyWorkArea::RampTemplate() const {
    std::array<int, kRampValues> values{};
    for (std::size_t i = 0; i < values.size(); ++i)
        values[i] = S8(kDataStart + static_cast<int>(i));
    return values;
}

QString ReplyWorkArea::Characters(int first, int count) const {
    QString text;
    for (int i = first; i < first + count && At(i) != 0; ++i)
        text.append(QChar::fromLatin1(static_cast<char>(At(i))));
    return text;
}

QString ReplyWorkArea::ImeiDigits() const {
    // Packed BCD, low nibble first.
    QString text;
    for (int i = 0; i < DataCount(); ++i) {
        const int b = At(kDataStart + i);
        text += QString::number(b & 0x0F);
        text += QString::number(b >> 4);
    }
    return text;
}

int ReplyWorkArea::SerialNumber() const {
    return S8(5) * 65536 + S8(6) * 256 + S8(7);
}
