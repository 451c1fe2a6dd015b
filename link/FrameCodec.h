#pragma once

#include <cstdint>

// Byte-level pieces of the target packet format shared by every window's link operations:
// stuffing removal, reply classification and reply frame assembly.

inline constexpr std::uint8_t STX = 0x02;
inline constexpr std::uint8_t DLE = 0x10;
inline constexpr std::uint8_t LEAD_BYTE = 0x14;

// Results of CheckReply.
enum ReplyClass : int {
    REPLY_NOT_A_REPLY = 0,
    REPLY_OTHER_OPCODE = 1,
    REPLY_SUCCESS = 2,
    REPLY_STATUS_ERROR = 3,
};

// Removes the DLE before each stuffed 0x02 or 0x10, in place; returns how many were removed.
int RemoveStuffing(std::uint8_t* bytes, int n);

// Classifies a complete frame against the opcode of the last command sent.
ReplyClass ClassifyReply(const std::uint8_t* frame, int length, std::uint8_t lastOpcode);

// Whether a complete reply frame, as received (still stuffed), carries as its checksum byte the
// XOR of the unstuffed bytes between the lead byte and the checksum. A frame too short to hold
// opcode, checksum and both STX does not.
bool ReplyChecksumMatches(const std::uint8_t* frame, int length);

// Assembles reply frames one received byte at a time. A frame runs from an opening STX to the
// next STX that is not escaped by a DLE; tracking the escape state (instead of looking at the
// byte before the STX) keeps a frame whose last stuffed pair is 0x10 0x10 from running on.
class FrameAssembler {
public:
    static constexpr int kCapacity = 4096;

    // Feeds one byte; returns true when it completed a frame (then Frame()/Length() hold it).
    bool PutByte(std::uint8_t b);

    void ResetFrame() { length_ = 0; }
    const std::uint8_t* Frame() const { return frame_; }
    int Length() const { return length_; }
    bool InFrame() const { return inFrame_; }

private:
    void Append(std::uint8_t b);

    std::uint8_t frame_[kCapacity] = {};
    int length_ = 0;
    bool inFrame_ = false;
    bool escaped_ = false;
};
