#pragma once

#include "link/FrameCodec.h"
#include "link/ReplyWorkArea.h"

#include <QString>
#include <QStringList>

#include <cstdint>

// The texts the station shows for a target reply. Every window and headless tool decodes
// through these functions, so the opcode tables exist only here; the values they show are read
// by ReplyWorkArea, as the windows read them.
//
// Reply frame as received: STX 0x14 opcode status index data... checksum STX, stuffed.
// Every function below that takes a frame wants it as received (still stuffed) with its
// received length, except ResultDisplayLines: unstuffing an already unstuffed copy again would
// corrupt 0x10 pairs.

// Text for a reply whose opcode is not the last command's, as the manual command window shows
// it; empty when the opcode has none there.
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
// The reply comes unstuffed, as the window that received it hands it over.
QStringList ResultDisplayLines(const std::uint8_t* unstuffed, int length);
