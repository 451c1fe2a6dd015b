#pragma once

#include "visa/Visa.h"

#include <functional>

// A driver's VISA session with the resource manager it was opened on.
namespace DriverSession {

// Opens the default resource manager and resource on it, without a lock, then prepares the new
// session (an empty prepare: nothing to do). On any failure what was opened is closed again and
// both handles are VI_NULL.
ViStatus Open(ViConstRsrc resource, ViSession* resourceManager, ViSession* session,
              const std::function<ViStatus(ViSession)>& prepare = {});

// The flags and the session pointer that end every driver's init, in that order: idQuery at
// position idQueryAt, reset and the session after it; an argument out of range is named by its
// position.
ViStatus CheckInitArguments(ViInt16 idQuery, ViInt16 reset, const ViSession* session,
                            int idQueryAt);

// Closes session, then its resource manager (VI_NULL: none); the first failure, if any.
ViStatus Close(ViSession session, ViSession resourceManager);

} // namespace DriverSession
