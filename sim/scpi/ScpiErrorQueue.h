#pragma once

#include <QByteArray>

#include <deque>

// The instrument's error queue as SCPI-99 (21.8) defines it: first in, first out; when it is
// full, the newest entry gives way to -350 "Queue overflow"; read empty it answers 0.
class ScpiErrorQueue {
public:
    void Push(int code, const QByteArray& text);
    // The ":SYST:ERR?" reply: `-113,"Undefined header"`, or `0,"No error"`.
    QByteArray Pop();
    void Clear() { entries_.clear(); }

    static constexpr size_t kCapacity = 16;

private:
    struct Entry {
        int code;
        QByteArray text;
    };
    std::deque<Entry> entries_;
};
