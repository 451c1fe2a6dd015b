#pragma once

#include <QString>

// Numbers typed into the station's boxes, read as the C library's atoi and strtod read them:
// leading blanks, an optional sign, then the number up to the first character that cannot
// continue it. Text that does not start with a number reads as 0.

// The digits: "  +62abc" is 62, "12.9" is 12. Beyond int the value stops at the end its sign
// points to.
int LeadingInt(const QString& text);

// With a decimal point and an exponent: "12.9", "-.5", "1e2x". Beyond double the value is the
// infinity of its sign, as strtod's HUGE_VAL; "nan" and "inf" are no numbers. The conversion is
// the C locale's, whatever the station's locale is.
double LeadingReal(const QString& text);

// LeadingReal truncated toward zero, stopping at the ends of int.
int TruncatedLeadingReal(const QString& text);
