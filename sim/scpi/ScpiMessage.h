#pragma once

#include <QByteArray>
#include <QList>

// One program message unit of a line, its header resolved to the full path (IEEE 488.2, 7.6:
// a header without a leading colon continues from the path the previous one left).
struct ScpiUnit {
    QList<QByteArray> path; // upper-case nodes; empty for a common command
    QByteArray common;      // "*IDN", upper-case, for a common command
    bool query = false;
    QList<QByteArray> parameters; // trimmed, strings still quoted
};

// SCPI error numbers the virtual instrument queues (SCPI-99, 21.8).
namespace ScpiError {
inline constexpr int kSyntax = -102;
inline constexpr int kDataType = -104;
inline constexpr int kParameterNotAllowed = -108;
inline constexpr int kMissingParameter = -109;
inline constexpr int kUndefinedHeader = -113;
inline constexpr int kExecution = -200;
inline constexpr int kSettingsConflict = -221;
inline constexpr int kOutOfRange = -222;
inline constexpr int kIllegalValue = -224;
inline constexpr int kDataStale = -230;
inline constexpr int kQueueOverflow = -350;
const char* Text(int code);
} // namespace ScpiError

// Splits line at the semicolons outside quotes. Stops at the first unit that does not parse,
// with *error the syntax error; the units before it stand.
QList<ScpiUnit> SplitProgramMessage(const QByteArray& line, int* error);

// Whether the unit's path is the pattern's: nodes in SCPI notation ("CONFigure:GSM:BS:LEVel"),
// each accepted in its short form (the capitals) or its long form.
bool PathMatches(const QList<QByteArray>& path, const char* pattern);

// A decimal number (NR1, NR2 or NR3), read independently of the locale.
bool ParseNumber(const QByteArray& text, double* value);
// String data without its quotes; false for anything not quoted.
bool ParseString(const QByteArray& text, QByteArray* value);
