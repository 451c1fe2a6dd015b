#pragma once

#include "visa/Visa.h"

#include <QByteArray>

// Numbers and replies on the wire for the SCPI drivers, independent of the process locale: a
// station running under a locale with a decimal comma must still send "-74.5".
namespace DriverText {

// The shortest text that reads back as exactly value: 947467000, -60, -74.5, 1e-07.
QByteArray ScpiNumber(double value);

// A whole field as an NR1/NR2/NR3 number, blanks around it and a leading '+' allowed; "NAN" and
// "INF" read as themselves.
bool ParseReal(const QByteArray& field, double* value);
// The same, for a finite number only.
bool ParseFinite(const QByteArray& field, double* value);
// A field holding a whole number within 32 bits ("0", "+1", "16.0").
bool ParseInteger(const QByteArray& field, ViInt32* value);

// One entry of an instrument's error queue.
struct ErrorEntry {
    ViInt32 code = 0;
    QByteArray text;
};

// How much of <code>,"<text>" a "SYST:ERR?" reply must show to count as an entry.
enum class EntryForm {
    kComplete, // the comma and the text with both its quotes
    kTolerant, // the text, or its quotes, may be missing: a text cut short loses its closing quote
};

// A doubled quote inside the text stands for one; false for a reply that is no entry.
bool ParseErrorEntry(const QByteArray& reply, EntryForm form, ErrorEntry* entry);

// text into out, cut to size - 1 bytes and terminated; nothing for a size below 1.
void CopyText(const QByteArray& text, ViChar out[], int size);

} // namespace DriverText
