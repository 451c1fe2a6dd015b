#pragma once

#include "drivers/age1960/Age1960Session.h"

#include <QByteArray>

#include <functional>

namespace age1960 {

// Building blocks of the operations, for a session already found. Lines go out with a line feed.

ViStatus WriteLine(Age1960Session& session, const QByteArray& line);
// One reply, without its terminator; VI_ERROR_INV_RESPONSE for one too long to be any answer.
ViStatus ReadReply(Age1960Session& session, QByteArray* reply);
ViStatus Query(Age1960Session& session, const QByteArray& query, QByteArray* reply);
// One entry of the instrument's error queue; VI_ERROR_INV_RESPONSE for a reply that is none.
ViStatus ReadError(Age1960Session& session, DriverText::ErrorEntry* error);

// Reads the instrument's error queue until it reports 0 (a bounded number of times) and keeps
// what it held: AGE1960_INSTR_ERROR_DETECTED when there was anything.
ViStatus CheckErrors(Age1960Session& session);
// A call's outcome after the error-queue check: an instrument error found wins (it explains an
// unanswered query better than the time-out), then the call's own failure. A lost connection
// is returned as it is, without a check.
ViStatus Checked(Age1960Session& session, ViStatus status);

// The line, its "*OPC?" confirmation when asked for, and the check.
ViStatus SendChecked(Age1960Session& session, const QByteArray& line, bool waitComplete = false);
ViStatus QueryChecked(Age1960Session& session, const QByteArray& query, QByteArray* reply);
// The same with the VISA time-out at timeoutMs for the reply: the check has the session's own.
ViStatus QueryCheckedWithin(Age1960Session& session, ViUInt32 timeoutMs, const QByteArray& query,
                            QByteArray* reply);

// The session's time-out plus extraMs (an infinite time-out stays infinite).
ViUInt32 RaisedTimeout(const Age1960Session& session, ViUInt32 extraMs);
// io with the VISA time-out at timeoutMs, then the session's time-out again.
ViStatus WithTimeout(Age1960Session& session, ViUInt32 timeoutMs,
                     const std::function<ViStatus()>& io);

} // namespace age1960
