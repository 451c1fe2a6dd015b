#pragma once

#include <QMetaType>

// How the calibration window's status line shows a text.
enum class StatusStyle {
    Normal,    // light green on black
    Success,   // black on green
    Reset,     // the empty line after a stop and at start
    Unchanged, // a new text in the style already shown
};

Q_DECLARE_METATYPE(StatusStyle)

// "Instrument Check" and "AUTO CAL START" without a test set: nothing is opened or started.
inline constexpr const char* kNoTestSetText =
    "No test set configured: Auto Cal > RF Parameter Setting";
