#pragma once

#include <QString>

// Numbers read from a panel's boxes at the moment a button is pressed, as the C library reads
// them: leading blanks, an optional sign, then the digits up to the first other character. Text
// without a number reads as 0, so a box left empty sends 0. Values beyond int stop at its ends.
int IntFromBox(const QString& text);

// The same for a real number ("12.9", "-3.7", "1e2"), truncated toward zero.
int TruncatedRealFromBox(const QString& text);
