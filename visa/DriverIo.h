#pragma once

#include "visa/Visa.h"

#include <QByteArray>
#include <QLoggingCategory>

// Lines to and replies from a SCPI instrument on a VISA session, traced on the driver's own log
// (debug level).
namespace DriverIo {

// Writes line with its line feed.
ViStatus WriteLine(ViSession session, const QByteArray& line, const QLoggingCategory& log);

// Reads one reply of at most maxBytes, without its terminator and surrounding blanks.
// VI_SUCCESS_MAX_CNT: the reply goes on beyond maxBytes, and its rest is still to be read.
ViStatus ReadReply(ViSession session, qsizetype maxBytes, QByteArray* reply,
                   const QLoggingCategory& log);

// Writes query, then reads its reply as ReadReply does.
ViStatus Query(ViSession session, const QByteArray& query, qsizetype maxBytes, QByteArray* reply,
               const QLoggingCategory& log);

// Reads and drops the rest of a reply cut at the caller's size, so that its tail is not taken for
// the answer to the next query. Bounded: a peer that never stops talking must not hold the driver.
void DrainReply(ViSession session);

} // namespace DriverIo
