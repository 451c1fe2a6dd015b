#pragma once

#include "visa/DriverText.h"
#include "visa/Visa.h"

#include <QByteArray>

// Numbers on the wire, independent of the process locale: the station may run under one that
// writes a decimal comma, and printf would follow it.
QByteArray Fixed(double value); // as printf "%lf": six decimals
QByteArray Short(double value); // as printf "%g"
QByteArray Number(ViInt32 value);

// A reply read field by field as sscanf reads it, without its locale and overflow hazards.
class ReplyScanner {
public:
    explicit ReplyScanner(QByteArray text) : text_(std::move(text)) {}

    bool Double(double* value);  // "%lf"
    bool Int(ViInt32* value);    // "%d"; false outside the 32-bit range
    bool SkipOne();              // "%*1s"
    bool Literal(char c);        // the character itself, not skipping blanks
    QByteArray Until(char stop); // "%[^c]", possibly empty; stops before stop

private:
    void SkipSpace();

    QByteArray text_;
    qsizetype at_ = 0;
};

// count values with one separator character after each ("%lf%*1s" repeated); the value at
// integerAt (or none, -1) is written as an integer ("%d").
bool ScanValues(const QByteArray& text, ViReal64 values[], int count, int integerAt = -1);

// low <= value <= high; never for NaN.
inline bool InRange(double value, double low, double high) {
    return value >= low && value <= high;
}

// The word for a 1-based code, or null when code names none of them.
template <size_t N> const char* Word(ViInt32 code, const char* const (&words)[N]) {
    return code >= 1 && code <= static_cast<ViInt32>(N) ? words[code - 1] : nullptr;
}
