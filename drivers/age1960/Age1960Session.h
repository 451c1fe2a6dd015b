#pragma once

#include "drivers/age1960/age1960.h"
#include "visa/DriverText.h"

#include <QLoggingCategory>

#include <deque>

namespace age1960 {

// rftune.age1960: every line sent and received and every instrument error (debug and info,
// off by default).
Q_DECLARE_LOGGING_CATEGORY(lcAge1960)

// What the driver keeps of an open session. Its handle is the VISA instrument session, which the
// VISA layer never hands out twice, so a closed handle cannot reach a later session.
struct Age1960Session {
    ViSession visa = VI_NULL;
    ViSession resourceManager = VI_NULL;
    ViUInt32 timeoutMs = 0;
    QByteArray identity; // the "*IDN?" reply of the ID query at init
    // Errors read from the instrument after a call and not yet handed out by age1960_error_query.
    std::deque<DriverText::ErrorEntry> keptErrors;
};

// The session of handle, or null (*status VI_ERROR_INV_SESSION) for one not open.
Age1960Session* FindSession(ViSession handle, ViStatus* status);
Age1960Session& AddSession(const Age1960Session& session);
void RemoveSession(ViSession handle);

// call(session) for the open session of handle; VI_ERROR_INV_SESSION for a handle not open.
template <typename Call> ViStatus OnSession(ViSession handle, Call&& call) {
    ViStatus status = VI_SUCCESS;
    Age1960Session* found = FindSession(handle, &status);
    return found ? call(*found) : status;
}

} // namespace age1960
