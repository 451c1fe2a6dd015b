#pragma once

#include "drivers/supplies/supplies.h"
#include "visa/DriverText.h"

#include <optional>

namespace supplies {

// A driver session is the instrument's VISA session; this is what the driver keeps with it.
struct SupplySession {
    SupplyModel model = SupplyModel::kE3632A;
    QByteArray identity; // the "*IDN?" reply of the ID query at init
    ViSession resourceManager = VI_NULL;
    // An entry the driver took from the instrument's error queue after a call, kept until the
    // caller's error query.
    std::optional<DriverText::ErrorEntry> keptError;
};

// Null for a session the driver did not open, or has closed.
SupplySession* FindSession(ViSession session);
void AddSession(ViSession session, const SupplySession& state);
void RemoveSession(ViSession session);

} // namespace supplies
