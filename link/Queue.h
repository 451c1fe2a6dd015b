#pragma once

#include <cstdint>
#include <mutex>

// The channel's 4096-byte circular receive queue for queue mode. One slot stays empty, so it
// holds at most 4095 bytes. The reader thread puts, the user-interface thread takes: every
// operation locks, so a burst and a read never tear each other.
class CQueue {
public:
    static constexpr int kSize = 4096;
    static constexpr int kCapacity = kSize - 1;

    void Clear();
    int Count() const;
    int Put(std::uint8_t b);        // 1 when stored, 0 when full
    std::uint8_t Get();             // 0 when empty
    std::uint8_t Peek(int i) const; // byte at tail + i, nothing removed

private:
    int CountLocked() const { return (head_ - tail_ + kSize) % kSize; }

    mutable std::mutex mutex_;
    std::uint8_t buffer_[kSize] = {};
    int head_ = 0;
    int tail_ = 0;
};
