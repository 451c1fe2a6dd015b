#pragma once

#include "supplies.h"

#include <QByteArray>

#include <optional>

namespace supplies {

// The init's session argument is its fifth: VXIplug&play numbers these codes by position.
inline constexpr ViStatus kSupplyErrorParameter5 = static_cast<ViStatus>(0xBFFC0005u);

// An entry the driver took from the instrument's error queue after a call, kept until the
// caller's error query.
struct SupplyError {
    ViInt32 code = 0;
    QByteArray text;
};

// A driver session is the instrument's VISA session; this is what the driver keeps with it.
struct SupplySession {
    SupplyModel model = SupplyModel::kE3632A;
    ViSession resourceManager = VI_NULL;
    std::optional<SupplyError> keptError;
};

// Null for a session the driver did not open, or has closed.
SupplySession* FindSession(ViSession session);
void AddSession(ViSession session, const SupplySession& state);
void RemoveSession(ViSession session);

} // namespace supplies
