#pragma once

#include "CalibrationContext.h"
#include "Visa.h"

#include <QByteArray>

// What the test set operations share: the session in the context, the guards, and the one
// step that hands a status to the error path.

inline ViSession& TestSetSessionField() {
    static_assert(sizeof(ViSession) == sizeof(CalContext().testSetSession));
    return CalContext().testSetSession;
}
inline bool TestSetOpen() {
    return CalContext().testSetSession != 0;
}
inline bool Is8960() {
    return CalContext().testSetType == kTestSet8960;
}
inline bool Is4400() {
    return CalContext().testSetType == kTestSet4400;
}

// A guarded operation without a session sets the instrument fault flag and does nothing.
bool GuardSession();

// Passes status to CheckTestSetStatus; true while the operation may go on: the call succeeded
// or the test set is still open. A second failure closes the test set, and an operation does
// not go on talking to a closed one.
bool Step(ViStatus status);

// The MS TX level the 8960 takes: DCS levels are stored as 100 + PCL by the TX calibration.
ViInt32 MsTxLevel();

// A Willtek line of a header that ends in a blank and its value, as "%s%d", "%s%f" (six
// decimals) or "%s%9.0f" make it; written without an error-queue check.
ViStatus WriteWillLine(const char* header, int value);
ViStatus WriteWillLine(const char* header, double value, int decimals);
ViStatus WriteWillLine(const char* line);

// Coupling table "viable.cpl" on, then ":CONF:COUP:STAT ON": the Willtek's cable loss.
bool UseWillCoupling();

inline constexpr double kCellLevelDbm = -60.0;
inline constexpr double kCwLevelDbm = -74.5;
