#pragma once

#include "Visa.h"

#include <QByteArray>

namespace supplies {

// Numbers on the wire, independent of the process locale: the station may run under one that
// writes a decimal comma.

// The shortest decimal that reads back as value: 3.8, 4.18, 3.
QByteArray ScpiNumber(double value);
// A whole reply as one finite number (NR1, NR2 or NR3, with an optional sign).
bool ParseNumber(const QByteArray& reply, double* value);

// A "SYST:ERR?" reply: <code>,"<text>" (a doubled quote inside the text stands for one).
bool ParseErrorEntry(const QByteArray& reply, ViInt32* code, QByteArray* text);

// text into out, cut to size - 1 characters and terminated.
void CopyText(const QByteArray& text, ViChar out[], int size);

} // namespace supplies
