#pragma once

#include "FrameCodec.h"

#include <QString>
#include <QStringList>

#include <cstdint>

// What the station reads from a target reply and the texts it shows for it. Every window and
// headless tool decodes through these functions, so the opcode tables exist only here.
//
// Reply frame as received: STX 0x14 opcode status index data... checksum STX, stuffed.
// Every function below that takes a frame wants it as received (still stuffed) with its
// received length; unstuffing an already unstuffed copy again would corrupt 0x10 pairs.

// 16-bit values from two bytes, high byte first.
std::uint16_t MakeWord(const std::uint8_t* highFirst);
std::int16_t MakeSignedWord(const std::uint8_t* highFirst);

// A reply copied into a fixed work area and unstuffed there. Positions are read from the
// unstuffed copy, while counts derived from the length use the length as received, as the
// station has always shown them. Frames of any length are safe: at most kSize bytes are
// copied, positions beyond the copy read as 0 and derived counts stay inside the area.
class ReplyWorkArea {
public:
    static constexpr int kSize = 150;
    static constexpr int kDataStart = 5;

    ReplyWorkArea(const std::uint8_t* frame, int length);

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

private:
    std::uint8_t bytes_[kSize] = {};
    int receivedLength_ = 0;
};

// Text for a reply whose opcode is not the last command's; empty when the opcode has none.
QString ReplyErrorText(std::uint8_t opcode);

inline constexpr const char* kStatusErrorText = "Status is error. ";

// Texts of a successful reply as the manual command window shows them, one per display line
// (a ramp template block is one text whose two rows of eight are split by "\r\n").
QStringList DecodeSuccessReply(const std::uint8_t* frame, int length);

struct ManualReplyOutcome {
    QStringList texts;
    bool stopPollTimer = false;
    bool stopReplyTimer = false;
};

// The manual command window's handling of a classified reply: what it shows and which timers
// it stops. Other dialogs react in their own way but use the same texts.
ManualReplyOutcome DispatchManualReply(ReplyClass result, const std::uint8_t* frame, int length);

// Lines the Result Display prints for a reply: a separator line first, then the reply's form.
QStringList ResultDisplayLines(const std::uint8_t* frame, int length);
