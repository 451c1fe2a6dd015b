#pragma once

#include "autocal/CalibrationCodes.h"
#include "autocal/CalibrationContext.h"

#include <QByteArray>

// A sending state records itself as the last step and leaves its command line for the step
// routine to send; it returns the state that tells the routine how to send it.
inline std::int32_t EncodeStepLine(CalibrationContext& cal, std::int32_t state,
                                   const QByteArray& line, std::int32_t how = kStepSend) {
    cal.lastStep = state;
    cal.commandLine = line;
    return how;
}

inline QByteArray LineWith(const char* head, std::int64_t value) {
    return QByteArray(head) + QByteArray::number(value);
}
