#pragma once

#include "drivers/supplies/SupplySessions.h"

#include <QByteArray>

namespace supplies {

// Lines to and replies from a supply, and the error-queue check that ends each call.

// Writes line with its line feed.
ViStatus WriteLine(ViSession session, const QByteArray& line);
// Writes query and reads its reply, without the terminator and surrounding blanks.
ViStatus Query(ViSession session, const QByteArray& query, QByteArray* reply);
// One entry of the instrument's error queue; VI_ERROR_INV_RESPONSE for a reply that is none.
ViStatus ReadError(ViSession session, DriverText::ErrorEntry* error);
// Reads the error queue once the call's lines are out. A non-zero code is kept in state and
// answers SUPPLY_INSTR_ERROR_DETECTED, whatever callStatus was; otherwise a failed callStatus
// wins over the check's own.
ViStatus FinishCall(ViSession session, SupplySession& state, ViStatus callStatus);
// A command line and its error-queue check.
ViStatus SendChecked(ViSession session, SupplySession& state, const QByteArray& line);

} // namespace supplies
