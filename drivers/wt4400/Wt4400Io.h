#pragma once

#include "drivers/wt4400/wt4400.h"

#include <QByteArray>

// Building blocks of the operations, for a session already validated.

ViStatus WriteLine(ViSession session, const QByteArray& line);
// wt4400_query into a reply buffer of size bytes.
ViStatus QueryText(ViSession session, const QByteArray& query, int size, QByteArray* reply);
// "*OPC?", answered with 1 unless the slot is simulated; any other answer is a read error.
ViStatus ConfirmOpc(ViSession session);
// The line, then its "*OPC?" confirmation.
ViStatus SendSetting(ViSession session, const QByteArray& line);
// A query answered by count values ("%lf%*1s" repeated); zeros when simulated.
ViStatus QueryValues(ViSession session, const QByteArray& query, int replySize, ViReal64 values[],
                     int count, int integerAt = -1);

// The rounds of a polling wait of seconds at the 0.1 s period; false for a time that is
// negative, not a number or beyond the driver's time-out range.
bool PollRounds(double seconds, int* rounds);
// Polls query every 0.1 s until the bit is set (or clear), at most rounds times: 0 then,
// WT4400_ERROR_TIMEOUT when the rounds run out, the query's failure, or WT4400_ERROR_READ for a
// reply that is not a number. A simulated slot ends the wait at once.
ViStatus PollBit(ViSession session, const char* query, ViInt32 bit, bool set, int rounds);
