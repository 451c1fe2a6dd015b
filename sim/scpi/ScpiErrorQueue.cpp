#include "sim/scpi/ScpiErrorQueue.h"

#include "sim/scpi/ScpiMessage.h"

void ScpiErrorQueue::Push(int code, const QByteArray& text) {
    if (entries_.size() < kCapacity) {
        entries_.push_back({code, text});
        return;
    }
    entries_.back() = {ScpiError::kQueueOverflow, ScpiError::Text(ScpiError::kQueueOverflow)};
}

QByteArray ScpiErrorQueue::Pop() {
    if (entries_.empty())
        return "0,\"No error\"";
    const Entry entry = entries_.front();
    entries_.pop_front();
    return QByteArray::number(entry.code) + ",\"" + entry.text + '"';
}
