#pragma once

#include <QByteArray>

// Real values as the instrument answers them, independently of the locale.

// NR3 with nine significant digits: "+1.23456000E+001".
QByteArray Nr3(double value);

// SCPI's "not a number" (SCPI-99, 7.2.1.5): what the instrument answers when it has no value.
inline constexpr char kNoValue[] = "9.91E+37";
