#include "link/Queue.h"

#include <cstring>

void CQueue::Clear() {
    std::lock_guard lock(mutex_);
    head_ = tail_ = 0;
    std::memset(buffer_, 0, sizeof buffer_);
}

int CQueue::Count() const {
    std::lock_guard lock(mutex_);
    return CountLocked();
}

int CQueue::Put(std::uint8_t b) {
    std::lock_guard lock(mutex_);
    if (CountLocked() == kCapacity)
        return 0;
    buffer_[head_] = b;
    head_ = (head_ + 1) % kSize;
    return 1;
}

std::uint8_t CQueue::Get() {
    std::lock_guard lock(mutex_);
    if (head_ == tail_)
        return 0;
    const std::uint8_t b = buffer_[tail_];
    tail_ = (tail_ + 1) % kSize;
    return b;
}

std::uint8_t CQueue::Peek(int i) const {
    std::lock_guard lock(mutex_);
    return buffer_[((tail_ + i) % kSize + kSize) % kSize];
}
