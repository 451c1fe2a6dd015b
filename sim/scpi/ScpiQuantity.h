#pragma once

#include <QByteArray>

// What a number may be suffixed with; without a suffix it is in the default unit (Hz, dB, dBm, s).
enum class Unit { None, Hertz, Decibel, DecibelMilliwatt, Second };

// A decimal number, with a suffix of its unit if it has one ("900MHZ", "900 MHZ", "-2.5 DB"), read
// independently of the locale. With Unit::None it takes no suffix at all.
bool ParseQuantity(const QByteArray& text, Unit unit, double* value);
