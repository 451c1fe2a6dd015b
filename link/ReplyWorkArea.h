#pragma once

#include <QString>

#include <array>
#include <cstdint>
#include <optional>

// 16-bit values from two bytes, high byte first.
std::uint16_t MakeWord(const std::uint8_t* highFirst);
std::int16_t MakeSignedWord(const std::uint8_t* highFirst);

// A reply copied into a fixed work area and unstuffed there. Positions are read from the
// unstuffed copy, while counts derived from the length use the length as received, as the
// station has always shown them. Frames of any length are safe: at most kSize bytes are
// copied, positions beyond the copy read as 0 and derived counts stay inside the area.
//
// Each value the station reads from a reply is read here, at the one position the target puts
// it, so that the windows and the display texts cannot disagree about it.
class ReplyWorkArea {
public:
    // A frame as received is unstuffed in the work area; one a window has already unstuffed (the
    // copy it hands to the Result Display) is taken as it is, since unstuffing it again would
    // turn a data pair 0x10 0x10 into one byte.
    enum class Stuffing { AsReceived, Removed };

    static constexpr int kSize = 150;
    static constexpr int kDataStart = 5;
    static constexpr int kGmagicWords = 5;
    static constexpr int kRampSteps = 16; // per ramp direction
    static constexpr int kRampValues = 2 * kRampSteps;

    ReplyWorkArea(const std::uint8_t* frame, int length, Stuffing stuffing = Stuffing::AsReceived);

    std::uint8_t At(int i) const;
    std::int8_t S8(int i) const { return static_cast<std::int8_t>(At(i)); }
    std::uint16_t U16le(int i) const;
    std::int16_t S16le(int i) const;
    std::uint16_t U16be(int i) const;

    std::uint8_t Opcode() const { return At(2); }
    std::uint8_t Status() const { return At(3); }
    // The echoed index is compared as a signed byte, so indices above 127 never match.
    int Index() const { return S8(4); }

    // Data bytes implied by the received length (length - 7), bounded to the work area.
    int DataCount() const;
    // Bytes in the work area after unstuffing.
    int UnstuffedLength() const { return unstuffedLength_; }

    // The parameter reads' one word at byte 5.
    int Word() const { return U16le(kDataStart); }
    int SignedWord() const { return S16le(kDataStart); }
    // AFC values travel as a signed word in eighths.
    double Afc() const { return SignedWord() / 8.0; }

    // Which values a stats read carries: 1 the RX level, 2 the PM value, 3 both.
    int StatsSubType() const { return S8(6); }
    std::optional<int> RxLevel() const;
    std::optional<double> PmValue() const;

    // G_magic, Ina_att, cal_freq1, Ina_switch_thr_low, Ina_switch_thr_high.
    std::array<int, kGmagicWords> GmagicRow() const;
    // The ramp-up steps, then the ramp-down steps.
    std::array<int, kRampValues> RampTemplate() const;

    // count characters from first, ending at the first NUL as a C string would.
    QString Characters(int first, int count) const;
    QString ImeiDigits() const;
    int SerialNumber() const;

private:
    std::uint8_t bytes_[kSize] = {};
    int receivedLength_ = 0;
    int unstuffedLength_ = 0;
};
