#pragma once

#include <QByteArray>

// Numeric values as the instrument reads and writes them, independently of the locale.

// What a number may be suffixed with; without a suffix it is in the default unit (Hz, dB, dBm, s).
enum class Unit { None, Hertz, Decibel, DecibelMilliwatt, Second };

// A decimal number, with a suffix of its unit if it has one ("900MHZ", "900 MHZ", "-2.5 DB").
bool ParseQuantity(const QByteArray& text, Unit unit, double* value);

// NR3 with nine significant digits, as the instrument answers real values: "+1.23456000E+001".
QByteArray Nr3(double value);

// SCPI's "not a number" (SCPI-99, 7.2.1.5): what the instrument answers when it has no value.
inline constexpr char kNoValue[] = "9.91E+37";
