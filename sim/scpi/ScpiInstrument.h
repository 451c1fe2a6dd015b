#pragma once

#include <QByteArray>

#include <optional>

// A virtual instrument as its server sees it: one received line in, at most one reply line out.
// Receive may be called from the server's thread while tests call the instrument from another.
class ScpiInstrument {
public:
    virtual ~ScpiInstrument();
    // One received line without its terminator: the reply line to send, or none.
    virtual std::optional<QByteArray> Receive(const QByteArray& line) = 0;
};
