#pragma once

#include "drivers/age1960/age1960.h"

#include <QByteArray>

namespace age1960 {

// The 8960's own forms on the wire; numbers themselves go through DriverText.

// pattern with "%1" and "%2" replaced by the arguments.
QByteArray Fill(const char* pattern, const QByteArray& first, const QByteArray& second = {});

// The text before the first ';' or ',' of a reply that may carry several results.
QByteArray FirstField(const QByteArray& reply);
// A result field into *value: VI_ERROR_INV_RESPONSE for one that is no number,
// AGE1960_ERROR_NO_VALUE (and *value untouched) for the instrument's "no value" (9.91E+37, its
// infinity 9.9E+37, or NaN).
ViStatus ParseResult(const QByteArray& field, double* value);

} // namespace age1960
