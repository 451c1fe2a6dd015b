#pragma once

#include "Age1960Session.h"
#include "age1960.h"

#include <QByteArray>

namespace age1960 {

// Numbers and replies on the wire, independent of the process locale (a station running under a
// locale with a decimal comma must still send "-74.5").

// The shortest text that reads back as exactly value: 947467000, -60, -74.5, 1e-07.
QByteArray ScpiNumber(double value);
// pattern with "%1" and "%2" replaced by the arguments.
QByteArray Fill(const char* pattern, const QByteArray& first, const QByteArray& second = {});

// A whole field as an NR1/NR2/NR3 number, blanks around it allowed; "NAN" reads as NaN.
bool ParseReal(const QByteArray& field, double* value);
// A field holding a whole number within 32 bits ("0", "+1", "16.0").
bool ParseInteger(const QByteArray& field, ViInt32* value);
// The instrument's "no value" (9.91E+37, its infinity 9.9E+37, or NaN).
bool IsNoValue(double value);
// The text before the first ';' or ',' of a reply that may carry several results.
QByteArray FirstField(const QByteArray& reply);
// "<code>,"<text>"" as SYST:ERR? answers; anything else is false.
bool ParseErrorReply(const QByteArray& reply, Age1960Error* error);

// text into out, cut to size - 1 bytes and terminated.
void CopyText(const QByteArray& text, ViChar out[], int size);

} // namespace age1960
